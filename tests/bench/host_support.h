// A bench host without a module: tests call its services and objects
// directly, as a module would, and read its audit at the end.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "bench/bench_support.h"
#include "host.h"
#include "services.h"

struct HostFixture {
  HostFixture() {
    values = static_cast<ValueServices*>(service(ids::kValueServices));
    lists = static_cast<ListServices*>(service(ids::kListServices));
    handles = static_cast<HandleServices*>(service(ids::kHandleServices));
    media = static_cast<MediaServices*>(service(ids::kMediaServices));
    player = static_cast<PlayerServices*>(service(ids::kPlayerServices));
  }

  void* service(const ComponentId& id) {
    return bench::makeService(host, id, bench::Origin{"the test", 0}, false);
  }
  HostSymbol symbol(const char* name) {
    HostSymbol made = 0;
    EXPECT_EQ(values->stringToSymbol(name, &made), kOk);
    return made;
  }
  HostValue integer(std::int32_t number) {
    HostValue made{};
    EXPECT_EQ(values->integerToValue(number, &made), kOk);
    return made;
  }
  // The host's view of a value the test holds.
  bench::Value read(const HostValue& value) {
    const bench::Value* known = host.values.peek(value);
    return known ? *known : bench::Value::symbol("<not a live value>");
  }
  // The findings so far, with the audit of what is still held.
  bench::AuditReport audit() {
    for (HostUnknown* service : {static_cast<HostUnknown*>(values), static_cast<HostUnknown*>(lists),
                                 static_cast<HostUnknown*>(handles), static_cast<HostUnknown*>(media),
                                 static_cast<HostUnknown*>(player)})
      service->release();
    host.audit();
    return bench::AuditReport{host.monitor.findings()};
  }

  bench::Host host;
  ValueServices* values;
  ListServices* lists;
  HandleServices* handles;
  MediaServices* media;
  PlayerServices* player;
};
