// A bench host with one script object of the module, for the settings
// methods: its host application lives in the test's SettingsHome, which is
// set up first because the module learns the application's folder when it
// creates the script object.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench.h"
#include "support/module_path.h"
#include "support/settings_home.h"

struct SettingsBench {
  SettingsHome home;
  bench::Bench bench{moduleUnderTest()};
  bench::ScriptObject xtra;

  SettingsBench() {
    EXPECT_TRUE(bench.loaded()) << bench.loadError();
    EXPECT_EQ(bench.registerModule(), kOk);
    xtra = bench.newScriptObject();
    EXPECT_TRUE(xtra.valid());
  }

  bench::CallResult call(const std::string& method, std::vector<bench::Value> args) {
    return xtra.call(method, std::move(args));
  }

  // Every reference and value the module was handed went back, once.
  void expectCleanAudit() {
    const bench::AuditReport report = bench.finish();
    EXPECT_TRUE(report.clean()) << report.text();
  }
};
