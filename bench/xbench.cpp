// xbench: drives a module file as the host would and prints what it learns.
//   xbench info MODULE   the class records and the instance size of each class
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "module_library.h"

namespace {

struct MallocAllocator final : HostAllocator {
  HostCode XCALL queryInterface(const ComponentId*, void** out) override {
    *out = nullptr;
    return kRequestNotServed;
  }
  std::uint32_t XCALL addRef() override { return 1; }
  std::uint32_t XCALL release() override { return 1; }
  void* XCALL allocate(std::uint32_t size) override { return std::malloc(size); }
  void XCALL free(void* block) override { std::free(block); }
};

std::string formatId(const ComponentId& id) {
  char text[40];
  std::snprintf(text, sizeof text, "{%08" PRIX32 "-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                id.data1, id.data2, id.data3, id.data4[0], id.data4[1], id.data4[2], id.data4[3],
                id.data4[4], id.data4[5], id.data4[6], id.data4[7]);
  return text;
}

int printInfo(const ModuleLibrary& module) {
  MallocAllocator allocator;
  ClassInfoRecord* records = nullptr;
  HostCode code = module.getClassInfo(&allocator, &records);
  std::printf("DllGetClassInfo -> 0x%08" PRIX32 "\n", static_cast<std::uint32_t>(code));
  if (code != kOk) return 1;
  const ComponentId none{};
  for (int i = 0;; ++i) {
    const ClassInfoRecord& record = records[i];
    if (record.classId == none && record.interfaceId == none) {
      std::printf("  record %d: end of list\n", i + 1);
      break;
    }
    std::printf("  record %d: class %s version 0x%08" PRIX32 ", interface %s version 0x%08" PRIX32
                "\n",
                i + 1, formatId(record.classId).c_str(), record.classVersion,
                formatId(record.interfaceId).c_str(), record.interfaceVersion);
  }
  for (int i = 0;; ++i) {
    const ClassInfoRecord& record = records[i];
    if (record.classId == none) break;
    if (record.interfaceId != ids::kBaseInterface) continue;
    std::uint32_t size = 0;
    CreateRoutine create = nullptr;
    DestroyRoutine destroy = nullptr;
    code = module.getClassForm(&record.classId, &size, &create, &destroy);
    std::printf("DllGetClassForm %s -> 0x%08" PRIX32 ", instance size %" PRIu32 " bytes\n",
                formatId(record.classId).c_str(), static_cast<std::uint32_t>(code), size);
  }
  allocator.free(records);
  std::printf("DllCanUnloadNow -> 0x%08" PRIX32 "\n",
              static_cast<std::uint32_t>(module.canUnloadNow()));
  return 0;
}

int usage() {
  std::fprintf(stderr, "usage: xbench info MODULE\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 || std::strcmp(argv[1], "info") != 0) return usage();
  std::string error;
  auto module = ModuleLibrary::open(argv[2], &error);
  if (!module) {
    std::fprintf(stderr, "xbench: cannot load %s: %s\n", argv[2], error.c_str());
    return 1;
  }
  std::printf("module %s\n", module->path().c_str());
  return printInfo(*module);
}
