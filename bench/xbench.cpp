// xbench: drives a module file as the host would and prints what it learns.
//   xbench info MODULE   the classes, the registration and the message
//                        table, then a script object's life and the audit
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>

#include "bench.h"

namespace {

std::string formatId(const ComponentId& id) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08" PRIX32 "-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                id.data1, id.data2, id.data3, id.data4[0], id.data4[1], id.data4[2], id.data4[3],
                id.data4[4], id.data4[5], id.data4[6], id.data4[7]);
  return text;
}

std::string formatCode(HostCode code) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08" PRIX32, static_cast<std::uint32_t>(code));
  return text;
}

int printInfo(bench::Bench& bench) {
  bench::ModuleHost& module = *bench.moduleHost();
  const HostCode learned = module.learnClasses();
  std::printf("DllGetClassInfo and DllGetClassForm -> %s\n", formatCode(learned).c_str());
  int number = 0;
  for (const ClassInfoRecord& record : module.classRecords())
    std::printf("  record %d: class %s version 0x%08" PRIX32 ", interface %s version 0x%08" PRIX32
                "\n",
                ++number, formatId(record.classId).c_str(), record.classVersion,
                formatId(record.interfaceId).c_str(), record.interfaceVersion);
  for (const bench::ClassForm& form : module.classes())
    std::printf("  class %s version 0x%08" PRIX32 ": interface %s version 0x%08" PRIX32
                ", instance size %" PRIu32 " bytes\n",
                formatId(form.classId).c_str(), form.classVersion,
                formatId(form.interfaceId).c_str(), form.interfaceVersion, form.instanceSize);

  const HostCode registered = bench.registerModule();
  std::printf("Register -> %s\n", formatCode(registered).c_str());
  const bench::MessageTable& table = bench.messageTable();
  if (!table.empty()) {
    std::printf("xtra %s, %u methods:\n", table.xtraName().c_str(),
                static_cast<unsigned>(table.methods().size()));
    for (const bench::MethodDeclaration& method : table.methods())
      std::printf("  %2" PRIu32 "  %s\n", method.index, method.line.c_str());
  }

  bench::ScriptObject xtra = bench.newScriptObject();
  const HostCode created = xtra.valid() ? xtra.call("new").code : xtra.createCode();
  std::printf("script object, new -> %s\n", formatCode(created).c_str());

  const bench::AuditReport audit = bench.finish();
  std::printf("audit: %s\n%s", audit.clean() ? "clean" : "findings", audit.text().c_str());
  return learned == kOk && registered == kOk && created == kOk && audit.clean() ? 0 : 1;
}

int usage() {
  std::fprintf(stderr, "usage: xbench info MODULE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "info") != 0) return usage();
  bench::Bench bench(argv[2]);
  if (!bench.loaded()) {
    std::fprintf(stderr, "xbench: cannot load %s: %s\n", argv[2], bench.loadError().c_str());
    return 1;
  }
  std::printf("module %s\n", argv[2]);
  return printInfo(bench);
}
