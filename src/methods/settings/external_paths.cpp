// The two media folders a movie configures in the settings file's [PATH]
// section: images (path type 0) and sounds (path type 1).
#include "methods/settings/script_text.h"
#include "methods/settings/settings_file.h"
#include "methods/settings/settings_methods.h"

HostCode getExternalPath(MethodCall& call) {
  const std::string file = settings::settingsFilePath(call.self);
  const std::int32_t pathType = settings::scriptInteger(call, 1);
  std::string path;  // any other type: the empty text, and the file is not read
  if (pathType == 0) path = settings::readText("PATH", "Images", "", settings::kLongReadSize, file);
  if (pathType == 1) path = settings::readText("PATH", "Sounds", "", settings::kLongReadSize, file);
  return settings::textResult(call, path);
}
