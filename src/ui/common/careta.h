// The splash window shown while the program starts.
#pragma once

#include <QWidget>

namespace parchis {

class Careta : public QWidget {
public:
    Careta();

protected:
    void paintEvent(QPaintEvent*) override;

private:
    QPixmap tablero_;
};

}  // namespace parchis
