#include "skin/data/SkinObjects.h"

#include <algorithm>
#include <utility>

QX_DEFINE_CLASS(TDataSkinObject, ::qx::TObject, b) {}
QX_DEFINE_CLASS(TDataSkinBorder, TDataSkinObject, b) {}
QX_DEFINE_CLASS(TDataSkinButton, TDataSkinObject, b) {}
QX_DEFINE_CLASS(TDataSkinTitle, TDataSkinObject, b) {}
QX_DEFINE_CLASS(TDataSkinSysButton, TDataSkinObject, b) {}
QX_DEFINE_CLASS(TDataSkinBoxLabel, TDataSkinObject, b) {}

TDataSkinObject::TDataSkinObject(std::string name) : Name(std::move(name)) {}

int TDataSkinObject::FrameWidth() const { return Bitmap.Width() / std::max<std::int32_t>(1, FrameCount); }

int TDataSkinObject::FrameHeight() const { return Bitmap.Height() / std::max<std::int32_t>(1, FrameCount); }

TSkinObjectSet::TSkinObjectSet()
    : Title(std::make_unique<TDataSkinTitle>("Title")),
      Button(std::make_unique<TDataSkinButton>("Buttons")),
      BorderLeft(std::make_unique<TDataSkinBorder>("Left")),
      BorderRight(std::make_unique<TDataSkinBorder>("Right")),
      BorderTop(std::make_unique<TDataSkinBorder>("Top")),
      BorderBottom(std::make_unique<TDataSkinBorder>("Bottom")) {}
