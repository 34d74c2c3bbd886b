// Which service answers which ID, and the two small services of the
// application: its information strings and its window handles.
#include "services.h"

namespace bench {

void* makeService(Host& host, const ComponentId& id, const Origin& origin, bool trap) {
  ObjectRegistry& objects = host.objects;
  if (id == ids::kAppInfoServices) return objects.make<AppInfoService>(host, origin, trap);
  if (id == ids::kHandleServices) return objects.make<HandleService>(host, origin, trap);
  if (id == ids::kValueServices) return objects.make<ValueService>(host, origin, trap);
  if (id == ids::kListServices) return objects.make<ListService>(host, origin, trap);
  if (id == ids::kWindowsAppServices) return objects.make<WindowsAppService>(host, origin, trap);
  if (id == ids::kPlayerServices) return objects.make<PlayerService>(host, origin, trap);
  if (id == ids::kMediaServices) return objects.make<MediaService>(host, origin, trap);
  // Two services a module may hold without calling: only the first three
  // operations exist on them.
  if (id == ids::kReservedServicesA)
    return static_cast<HostUnknown*>(objects.make<PlainObject>(host, "ReservedServicesA", origin, trap));
  if (id == ids::kReservedServicesB)
    return static_cast<HostUnknown*>(objects.make<PlainObject>(host, "ReservedServicesB", origin, trap));
  return nullptr;
}

AppInfoService::AppInfoService(Host& host, Origin origin, bool trap)
    : ServiceObject(host, "AppInfoServices", ids::kAppInfoServices, std::move(origin), trap) {}

HostCode XCALL AppInfoService::getInfoString(std::int32_t index, char* buffer, std::int32_t size) {
  Gate gate = enter("getInfoString", std::to_string(index) + ", " + std::to_string(size));
  if (!gate) return host_.fail(gate.origin(), gate.code(), TextOut{buffer, size});
  if (!host_.buffer(buffer, size, gate.origin())) return kBadArgument;
  const auto& strings = host_.world.app.infoStrings;
  if (!host_.number(index, gate.origin()) || index < 0 ||
      static_cast<std::size_t>(index) >= strings.size())
    return host_.fail(gate.origin(), kOutOfRange, TextOut{buffer, size});
  Host::writeText(strings[static_cast<std::size_t>(index)], buffer, size);
  return kOk;
}

WindowsAppService::WindowsAppService(Host& host, Origin origin, bool trap)
    : ServiceObject(host, "WindowsAppServices", ids::kWindowsAppServices, std::move(origin), trap) {}

HostCode XCALL WindowsAppService::getAppInstanceAndMainWindow(void** outInstance,
                                                              void** outWindow) {
  Gate gate = enter("getAppInstanceAndMainWindow");
  if (!gate) return host_.fail(gate.origin(), gate.code(), NativeOut{outInstance}, NativeOut{outWindow});
  if (!host_.out(outInstance, gate.origin()) || !host_.out(outWindow, gate.origin()))
    return kBadArgument;
  *outInstance = host_.world.app.instance;
  *outWindow = host_.world.app.mainWindow;
  return kOk;
}

}  // namespace bench
