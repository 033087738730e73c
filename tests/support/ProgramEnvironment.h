// The application and the skin manager of a test program, alive for the whole program as in
// the real one. Register it once:
//   testing::AddGlobalTestEnvironment(new testing_support::ProgramEnvironment(title));
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

#include "skin/controls/SkinManage.h"
#include "ui/Forms.h"

namespace testing_support {

class ProgramEnvironment : public testing::Environment {
public:
    // An empty title keeps the application's own.
    explicit ProgramEnvironment(std::wstring title = {}) : title_(std::move(title)) {}

    void SetUp() override
    {
        application_ = std::make_unique<ui::TApplication>(nullptr);
        application_->Initialize();
        if (!title_.empty()) application_->SetTitle(title_);
        skins_ = std::make_unique<skin::TSkinManagerInstallation>();
    }
    void TearDown() override
    {
        skins_.reset();
        application_.reset();
    }

private:
    std::wstring title_;
    std::unique_ptr<ui::TApplication> application_;
    std::unique_ptr<skin::TSkinManagerInstallation> skins_;
};

}  // namespace testing_support
