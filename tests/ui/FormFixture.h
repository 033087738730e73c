// A fresh form for each test, and controls made on it.
#pragma once

#include <gtest/gtest.h>

#include "ui/Forms.h"

namespace uitest {

class FormFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = new ui::TForm(nullptr);
        form->SetBounds(10, 10, 500, 400);
    }
    void TearDown() override { delete form; }

    // A control of the form, placed on it.
    template <class T>
    T* Make()
    {
        auto* control = new T(form);
        control->SetParent(form);
        return control;
    }

    ui::TForm* form = nullptr;
};

}  // namespace uitest
