#include "ui/Object.h"

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

std::int64_t GetOrdProp(const TObject* object, std::wstring_view name)
{
    if (!object) return -1;
    PropValue v = object->GetProperty(name);
    if (auto* i = std::get_if<std::int64_t>(&v)) return *i;
    return -1;
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
