// The data-set layer that data-aware controls (the grid) read: an abstract row set with a
// current row, and a data source that tells its links when the rows or the current row change.
#pragma once

#include <string>
#include <vector>

#include "ui/Component.h"

namespace ui {

class TDataSet;

// Implemented by data-aware controls.
class TDataLink {
public:
    virtual ~TDataLink() = default;
    // Rows, fields or the open state changed: re-read everything.
    virtual void DataSetChanged() = 0;
    // Only the current row moved.
    virtual void RecordChanged() = 0;
};

class TDataSource : public TComponent {
public:
    explicit TDataSource(TComponent* owner) : TComponent(owner) {}
    ~TDataSource() override;
    std::wstring_view ClassName() const override { return L"TDataSource"; }

    TDataSet* DataSet() const { return dataset_; }
    void SetDataSet(TDataSet* dataset);

    void AddLink(TDataLink* link);
    void RemoveLink(TDataLink* link);

    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TDataSet;
    void NotifyDataSetChanged() const;
    void NotifyRecordChanged() const;

    TDataSet* dataset_ = nullptr;
    std::vector<TDataLink*> links_;
};

class TDataSet : public TComponent {
public:
    explicit TDataSet(TComponent* owner) : TComponent(owner) {}

    virtual bool Active() const = 0;
    virtual int FieldCount() const = 0;
    virtual std::wstring FieldName(int field) const = 0;
    virtual int RecordCount() const = 0;
    // The current row, 0-based; -1 when closed or empty.
    virtual int RecNo() const = 0;
    // Makes `row` the current row (clamped to the rows there are).
    virtual void MoveTo(int row) = 0;
    // A cell as text; an absent value (NULL) reads as empty text.
    virtual std::wstring CellText(int row, int field) const = 0;

protected:
    void DataSetChanged() const;
    void RecordChanged() const;

private:
    friend class TDataSource;
    std::vector<TDataSource*> sources_;
};

}  // namespace ui
