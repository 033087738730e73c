// TComponent: owned objects with a Name and a Tag. An owner destroys what it owns, newest
// first; components that hold references to others are told when those go away.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Object.h"

namespace ui {

enum class TOperation : std::uint8_t { opInsert, opRemove };

class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;

    std::wstring_view ClassName() const override { return L"TComponent"; }

    TComponent* Owner() const { return owner_; }
    const std::wstring& Name() const { return name_; }
    void SetName(std::wstring name) { name_ = std::move(name); }
    std::intptr_t Tag() const { return tag_; }
    void SetTag(std::intptr_t tag) { tag_ = tag; }

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    TComponent* FindComponent(std::wstring_view name) const;

    // True while the owning form is being built; components created meanwhile share it, and
    // Loaded() ends it.
    bool Loading() const { return loading_; }
    void BeginLoading() { loading_ = true; }
    // Called on every component of a form after the form has been built.
    virtual void Loaded() { loading_ = false; }
    // There is no form designer at run time; kept so that design-time branches read as such.
    bool Designing() const { return false; }

    // Ask to be told (Notification opRemove) when `other` is destroyed.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);
    virtual void Notification(TComponent* component, TOperation operation);

    PropValue GetProperty(std::wstring_view name) const override;
    bool SetProperty(std::wstring_view name, const PropValue& value) override;

private:
    void InsertComponent(TComponent* child);
    void RemoveComponent(TComponent* child);

    TComponent* owner_;
    std::wstring name_;
    std::intptr_t tag_ = 0;
    bool loading_ = false;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> free_notifies_;
};

}  // namespace ui
