#pragma once
// A bare Qt 6 Widgets window to measure the game against: the game window's
// size with two buttons and a label, placed by position as the game places
// its controls.

#include <QLabel>
#include <QPushButton>
#include <QWidget>

#include <memory>

namespace bench {

struct BareWindow {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QPushButton* newGame = new QPushButton(QStringLiteral("New game"), window.get());
    QPushButton* deal = new QPushButton(QStringLiteral("Deal"), window.get());
    QLabel* counter = new QLabel(window.get());

    BareWindow()
    {
        window->setWindowTitle(QStringLiteral("Bare Qt window"));
        window->resize(229, 209);
        newGame->setGeometry(14, 14, 83, 20);
        deal->setGeometry(133, 14, 83, 20);
        counter->setGeometry(102, 14, 25, 19);
        counter->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
};

}  // namespace bench
