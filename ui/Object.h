// TObject: the root of the framework's classes, with the class name and run-time property
// access by name that the skin painters use to serve controls of any class.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace ui {

class TObject;

// A property value: an ordinal (integers, booleans, enumerations, colours), a text, or an
// object (fonts, bitmaps). std::monostate means "no such property".
using PropValue = std::variant<std::monostate, std::int64_t, std::wstring, TObject*>;

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The framework class name ("TBitBtn", "TMemo" ...): classification by exact name.
    virtual std::wstring_view ClassName() const { return L"TObject"; }

    // Published properties by name. Overrides answer their own names and defer to the base
    // class for the rest; an unknown name reads as monostate and refuses writes.
    virtual PropValue GetProperty(std::wstring_view name) const;
    virtual bool SetProperty(std::wstring_view name, const PropValue& value);
};

// Typed access with the lenient results painters rely on: a missing property reads as -1,
// empty text or nullptr, and a write to it does nothing (returns false).
std::int64_t GetOrdProp(const TObject* object, std::wstring_view name);
std::wstring GetStrProp(const TObject* object, std::wstring_view name);
TObject* GetObjectProp(const TObject* object, std::wstring_view name);
bool SetOrdProp(TObject* object, std::wstring_view name, std::int64_t value);
bool SetStrProp(TObject* object, std::wstring_view name, const std::wstring& value);
bool SetObjectProp(TObject* object, std::wstring_view name, TObject* value);
bool HasProperty(const TObject* object, std::wstring_view name);

// Case-insensitive ASCII comparison, as property and class names are matched.
bool SameName(std::wstring_view a, std::wstring_view b);

}  // namespace ui
