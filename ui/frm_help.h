// The help window: version notes, a hint about boot groups, three web addresses and a picture.
#pragma once

#include <QWidget>

class FrmHelp : public QWidget {
    Q_OBJECT
public:
    explicit FrmHelp(QWidget* parent = nullptr);
};
