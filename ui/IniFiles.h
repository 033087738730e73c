// TIniFile: settings in a private profile (ini) file through the system's own reader and
// writer, so the file keeps the system's format: the ANSI code page for files it creates,
// sections and keys matched without regard to case.
#pragma once

#include <string>

#include "ui/Object.h"

namespace ui {

class TIniFile : public TObject {
public:
    // The path is used as given; a bare name would mean the Windows folder to the system.
    explicit TIniFile(std::wstring fileName) : file_name_(std::move(fileName)) {}
    std::wstring_view ClassName() const override { return L"TIniFile"; }

    const std::wstring& FileName() const { return file_name_; }

    std::wstring ReadString(const std::wstring& section, const std::wstring& key, const std::wstring& defaultValue) const;
    // Creates the file and the section when missing; other keys are left alone. Throws
    // ui::Exception when the file cannot be written.
    void WriteString(const std::wstring& section, const std::wstring& key, const std::wstring& value);
    // Decimal, or hexadecimal written "$1F" or "0x1F"; anything else gives the default.
    int ReadInteger(const std::wstring& section, const std::wstring& key, int defaultValue) const;
    void WriteInteger(const std::wstring& section, const std::wstring& key, int value);
    bool ValueExists(const std::wstring& section, const std::wstring& key) const;
    void DeleteKey(const std::wstring& section, const std::wstring& key);
    void EraseSection(const std::wstring& section);

private:
    void Write(const wchar_t* section, const wchar_t* key, const wchar_t* value);

    std::wstring file_name_;
};

}  // namespace ui
