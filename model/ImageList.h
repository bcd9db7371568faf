#pragma once
/// Image lists as the dialog model sees them: named components that custom buttons reference by
/// name and that tell the dialog when they go away. The images themselves belong to the widget
/// layers. \file

#include "Classes.h"
#include "TypInfo.h"

class TCustomImageList : public TComponent {
    Q_OBJECT
    VX_PUBLISHED_CLASS
public:
    explicit TCustomImageList(TComponent* AOwner = nullptr) : TComponent(AOwner) {}
};

class TImageList : public TCustomImageList {
    Q_OBJECT
    VX_PUBLISHED_CLASS
public:
    explicit TImageList(TComponent* AOwner = nullptr) : TCustomImageList(AOwner) {}
};
