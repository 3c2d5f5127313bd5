// The help window: version notes, a hint about boot groups, three web addresses and a picture.
#pragma once

#include <QWidget>
#include <vector>

class QGroupBox;
class QLabel;

class FrmHelp : public QWidget {
    Q_OBJECT
public:
    // Builds the help window at its fixed place on the screen, hidden; it deletes itself when
    // closed.
    explicit FrmHelp(QWidget* parent = nullptr);

protected:
    void changeEvent(QEvent* event) override;

private:
    // Sets every text of the window in the language in use.
    void retranslate();

    QGroupBox* page = nullptr;
    std::vector<QLabel*> labels; // in the order of their rows
};
