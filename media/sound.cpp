#include "media/sound.h"

struct TDXSound::Beep {};
TDXSound::TDXSound() = default;
TDXSound::~TDXSound() = default;
bool TDXSound::Initialize() { return false; }
void TDXSound::Finalize() {}
void TDXSound::MessageBeep() {}

struct TWaveCollectionItem::Impl {};
TWaveCollectionItem::TWaveCollectionItem(TDXWaveList& owner, int index)
    : owner_(owner), index_(index) {}
TWaveCollectionItem::~TWaveCollectionItem() = default;
void TWaveCollectionItem::LoadFromFile(const std::string&) {}
void TWaveCollectionItem::Play(bool) {
    if (owner_.OnPlay) owner_.OnPlay(index_);
}
void TWaveCollectionItem::Stop() {}
int TWaveCollectionItem::PlayingCount() const { return 0; }

TDXWaveList::TDXWaveList(TDXSound& sound) : sound_(sound) {}
TDXWaveList::~TDXWaveList() = default;
TWaveCollectionItem& TDXWaveList::Add() {
    items_.push_back(std::make_unique<TWaveCollectionItem>(*this, Count()));
    return *items_.back();
}
