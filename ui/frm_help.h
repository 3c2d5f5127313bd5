// The help window: version notes, a hint about boot groups, three web addresses and a picture.
#pragma once

#include <QWidget>

class FrmHelp : public QWidget {
    Q_OBJECT
public:
    // Builds the help window at its fixed place on the screen, hidden; it deletes itself when
    // closed.
    explicit FrmHelp(QWidget* parent = nullptr);
};
