// TObject: the root of the framework's classes, with the class name and run-time property
// access by name that the skin painters use to serve controls of any class.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace ui {

class TObject;

// An enumeration type as property access sees it: its identifiers in ordinal order.
struct TEnumType {
    std::wstring_view Name;
    std::span<const std::wstring_view> Identifiers;
};

// A value of an enumeration property (booleans included): the ordinal and its type.
struct TEnumValue {
    const TEnumType* Type = nullptr;
    std::int64_t Ordinal = 0;
    // The identifier of the ordinal ("True", "tsTabs"); empty when out of range.
    std::wstring_view Identifier() const;
};

inline constexpr std::wstring_view kBooleanIdents[] = {L"False", L"True"};
inline constexpr TEnumType BooleanType{L"Boolean", kBooleanIdents};

// A property value by kind: an integer (numbers, colours, sets), an enumeration (booleans
// included), a text, or an object (fonts, bitmaps). std::monostate means "no such property".
using PropValue = std::variant<std::monostate, std::int64_t, std::wstring, TObject*, TEnumValue>;

inline PropValue BoolProp(bool value) { return TEnumValue{&BooleanType, value ? 1 : 0}; }
template <class E>
PropValue EnumProp(const TEnumType& type, E value)
{
    return TEnumValue{&type, static_cast<std::int64_t>(value)};
}

class TObject {
public:
    TObject() = default;
    TObject(const TObject&) = delete;
    TObject& operator=(const TObject&) = delete;
    virtual ~TObject() = default;

    // The framework class name ("TBitBtn", "TMemo" ...): classification by exact name.
    virtual std::wstring_view ClassName() const { return L"TObject"; }

    // Published properties by name. Overrides answer their own names and defer to the base
    // class for the rest; an unknown name reads as monostate and refuses writes. Integer and
    // enumeration properties are written with an ordinal (std::int64_t).
    virtual PropValue GetProperty(std::wstring_view name) const;
    virtual bool SetProperty(std::wstring_view name, const PropValue& value);
};

// Typed access with the lenient results painters rely on: a missing property reads as -1,
// empty text or nullptr, and a write to it does nothing (returns false).
// GetOrdProp reads integers and the ordinals of enumerations alike.
std::int64_t GetOrdProp(const TObject* object, std::wstring_view name);
std::wstring GetStrProp(const TObject* object, std::wstring_view name);
TObject* GetObjectProp(const TObject* object, std::wstring_view name);
bool SetOrdProp(TObject* object, std::wstring_view name, std::int64_t value);
bool SetStrProp(TObject* object, std::wstring_view name, const std::wstring& value);
bool SetObjectProp(TObject* object, std::wstring_view name, TObject* value);
bool HasProperty(const TObject* object, std::wstring_view name);

// Access by kind, as painters serve controls of classes they do not know:
// an integer property only (-1 for any other kind or none) ...
std::int64_t GetIntProp(const TObject* object, std::wstring_view name);
// ... the identifier of an enumeration property's value ("True", "tsTabs"), else empty ...
std::wstring GetEnumPropText(const TObject* object, std::wstring_view name);
// ... a string property, else empty ...
std::wstring GetTextProp(const TObject* object, std::wstring_view name);
// ... an object property whose value is a T, else nullptr.
template <class T>
T* GetObjectPropOf(const TObject* object, std::wstring_view name)
{
    return dynamic_cast<T*>(GetObjectProp(object, name));
}
// Writes text by the property's kind: an integer property takes the decimal number, an
// enumeration the identifier (any case), a string property the text itself. Other kinds,
// unknown identifiers, malformed numbers and missing properties are left alone (false).
bool SetPropText(TObject* object, std::wstring_view name, const std::wstring& text);

// Case-insensitive ASCII comparison, as property and class names are matched.
bool SameName(std::wstring_view a, std::wstring_view b);

}  // namespace ui
