#include "ui/Component.h"

#include <algorithm>

namespace ui {

TComponent::TComponent(TComponent* owner) : owner_(owner), loading_(owner && owner->Loading())
{
    if (owner_) owner_->InsertComponent(this);
}

TComponent::~TComponent()
{
    // Tell the watchers first, while this object is still whole enough to be compared.
    auto watchers = std::move(free_notifies_);
    for (TComponent* w : watchers) {
        w->RemoveFreeNotification(this);
        w->Notification(this, TOperation::opRemove);
    }
    while (!components_.empty()) delete components_.back();
    if (owner_) owner_->RemoveComponent(this);
}

TComponent* TComponent::FindComponent(std::wstring_view name) const
{
    for (TComponent* c : components_)
        if (SameName(c->Name(), name)) return c;
    return nullptr;
}

void TComponent::InsertComponent(TComponent* child)
{
    components_.push_back(child);
    Notification(child, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* child)
{
    std::erase(components_, child);
    child->owner_ = nullptr;
    Notification(child, TOperation::opRemove);
}

void TComponent::FreeNotification(TComponent* other)
{
    if (!other || other == this) return;
    if (std::find(other->free_notifies_.begin(), other->free_notifies_.end(), this) == other->free_notifies_.end())
        other->free_notifies_.push_back(this);
    if (std::find(free_notifies_.begin(), free_notifies_.end(), other) == free_notifies_.end())
        free_notifies_.push_back(other);
}

void TComponent::RemoveFreeNotification(TComponent* other)
{
    std::erase(free_notifies_, other);
    std::erase(other->free_notifies_, this);
}

void TComponent::Notification(TComponent*, TOperation) {}

PropValue TComponent::GetProperty(std::wstring_view name) const
{
    if (SameName(name, L"Name")) return name_;
    if (SameName(name, L"Tag")) return static_cast<std::int64_t>(tag_);
    return TObject::GetProperty(name);
}

bool TComponent::SetProperty(std::wstring_view name, const PropValue& value)
{
    if (SameName(name, L"Tag")) {
        if (auto* v = std::get_if<std::int64_t>(&value)) { tag_ = static_cast<std::intptr_t>(*v); return true; }
        return false;
    }
    if (SameName(name, L"Name")) {
        if (auto* v = std::get_if<std::wstring>(&value)) { name_ = *v; return true; }
        return false;
    }
    return TObject::SetProperty(name, value);
}

}  // namespace ui
