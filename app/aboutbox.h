#pragma once
// The about box: the product, its version and an "Ok" button.

#include "ui/formbase.h"

class TAboutBox : public ui::FormBase {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* owner = nullptr);
};
