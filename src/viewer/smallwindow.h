#pragma once
// What the document window and the small windows it opens share: the frame
// of the small ones, and the title strip with the command row under it.
#include <QDialog>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "widgets/bandart.h"

namespace viewer {

// A single border with only the close box and a fixed client area, centred
// on the screen (a dialog without a parent is centred when it is shown).
inline void frameFixed(QDialog& window, int width, int height) {
    window.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint);
    window.setFixedSize(width, height);
}

// Adds the title strip ("Panel1", the publisher's two images) and an empty
// command row ("Panel2") under it to the window's layout; returns the row.
inline QWidget* addTitleAndCommandRow(QWidget& window, QVBoxLayout& layout) {
    QWidget* strip = widgets::createStrip(&window);
    strip->setObjectName(QStringLiteral("Panel1"));
    strip->setFixedHeight(44);
    layout.addWidget(strip);

    auto* row = new QWidget(&window);
    row->setObjectName(QStringLiteral("Panel2"));
    layout.addWidget(row);
    return row;
}

// A command row's layout: the buttons in a line with a small margin.
inline QHBoxLayout* commandRowLayout(QWidget* row) {
    auto* rowLayout = new QHBoxLayout(row);
    rowLayout->setContentsMargins(4, 2, 4, 2);
    return rowLayout;
}

}  // namespace viewer
