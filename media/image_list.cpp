#include "media/image_list.h"

#include "media/display.h"

int TPictureCollectionItem::PatternCount() const { return 0; }
TRect TPictureCollectionItem::PatternRect(int) const { return {}; }
void TPictureCollectionItem::Restore() {}
void TPictureCollectionItem::Finalize() {}
void TPictureCollectionItem::Draw(TDirectDrawSurface&, int, int, int) const {}
TDXImageList::TDXImageList(TDXDraw& display) : display_(display) {}
TDXImageList::~TDXImageList() = default;
TPictureCollectionItem& TDXImageList::Add() {
    items_.push_back(std::make_unique<TPictureCollectionItem>());
    return *items_.back();
}
