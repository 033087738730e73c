#include "ui/DataSet.h"

#include <algorithm>

namespace ui {

TDataSource::~TDataSource() { SetDataSet(nullptr); }

void TDataSource::SetDataSet(TDataSet* dataset)
{
    if (dataset_ == dataset) return;
    if (dataset_) {
        std::erase(dataset_->sources_, this);
        RemoveFreeNotification(dataset_);
    }
    dataset_ = dataset;
    if (dataset_) {
        dataset_->sources_.push_back(this);
        FreeNotification(dataset_);
    }
    NotifyDataSetChanged();
}

void TDataSource::AddLink(TDataLink* link)
{
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void TDataSource::RemoveLink(TDataLink* link) { std::erase(links_, link); }

void TDataSource::Notification(TComponent* component, TOperation operation)
{
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == dataset_) {
        dataset_ = nullptr;
        NotifyDataSetChanged();
    }
}

void TDataSource::NotifyDataSetChanged() const
{
    for (TDataLink* link : std::vector<TDataLink*>(links_)) link->DataSetChanged();
}

void TDataSource::NotifyRecordChanged() const
{
    for (TDataLink* link : std::vector<TDataLink*>(links_)) link->RecordChanged();
}

void TDataSet::DataSetChanged() const
{
    for (TDataSource* source : sources_) source->NotifyDataSetChanged();
}

void TDataSet::RecordChanged() const
{
    for (TDataSource* source : sources_) source->NotifyRecordChanged();
}

}  // namespace ui
