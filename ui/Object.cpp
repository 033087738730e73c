#include "ui/Object.h"

#include <cerrno>
#include <cwchar>
#include <cwctype>

namespace ui {

PropValue TObject::GetProperty(std::wstring_view) const { return {}; }
bool TObject::SetProperty(std::wstring_view, const PropValue&) { return false; }

bool SameName(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

std::wstring_view TEnumValue::Identifier() const
{
    if (!Type || Ordinal < 0 || Ordinal >= static_cast<std::int64_t>(Type->Identifiers.size())) return {};
    return Type->Identifiers[static_cast<size_t>(Ordinal)];
}

std::int64_t GetOrdProp(const TObject* object, std::wstring_view name)
{
    if (!object) return -1;
    PropValue v = object->GetProperty(name);
    if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
    if (auto* e = std::get_if<TEnumValue>(&v)) return e->Ordinal;
    return -1;
}

std::int64_t GetIntProp(const TObject* object, std::wstring_view name)
{
    if (!object) return -1;
    PropValue v = object->GetProperty(name);
    if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
    return -1;
}

std::wstring GetEnumPropText(const TObject* object, std::wstring_view name)
{
    if (!object) return {};
    PropValue v = object->GetProperty(name);
    if (auto* e = std::get_if<TEnumValue>(&v)) return std::wstring(e->Identifier());
    return {};
}

std::wstring GetTextProp(const TObject* object, std::wstring_view name) { return GetStrProp(object, name); }

bool SetPropText(TObject* object, std::wstring_view name, const std::wstring& text)
{
    if (!object) return false;
    PropValue current = object->GetProperty(name);
    if (std::holds_alternative<std::int64_t>(current)) {
        if (text.empty()) return false;
        wchar_t* end = nullptr;
        errno = 0;
        const long long number = std::wcstoll(text.c_str(), &end, 10);
        if (errno != 0 || !end || *end != L'\0') return false;
        return object->SetProperty(name, static_cast<std::int64_t>(number));
    }
    if (auto* e = std::get_if<TEnumValue>(&current)) {
        if (!e->Type) return false;
        const auto& idents = e->Type->Identifiers;
        for (size_t i = 0; i < idents.size(); ++i)
            if (SameName(idents[i], text))
                return object->SetProperty(name, static_cast<std::int64_t>(i));
        return false;
    }
    if (std::holds_alternative<std::wstring>(current)) return object->SetProperty(name, text);
    return false;
}

std::wstring GetStrProp(const TObject* object, std::wstring_view name)
{
    if (!object) return {};
    PropValue v = object->GetProperty(name);
    if (auto* s = std::get_if<std::wstring>(&v)) return *s;
    return {};
}

TObject* GetObjectProp(const TObject* object, std::wstring_view name)
{
    if (!object) return nullptr;
    PropValue v = object->GetProperty(name);
    if (auto* o = std::get_if<TObject*>(&v)) return *o;
    return nullptr;
}

bool SetOrdProp(TObject* object, std::wstring_view name, std::int64_t value)
{
    return object && object->SetProperty(name, value);
}

bool SetStrProp(TObject* object, std::wstring_view name, const std::wstring& value)
{
    return object && object->SetProperty(name, value);
}

bool SetObjectProp(TObject* object, std::wstring_view name, TObject* value)
{
    return object && object->SetProperty(name, value);
}

bool HasProperty(const TObject* object, std::wstring_view name)
{
    return object && !std::holds_alternative<std::monostate>(object->GetProperty(name));
}

}  // namespace ui
