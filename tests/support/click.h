#pragma once
// Clicking a button as a person does: check boxes and radio buttons take
// clicks on their box and text only, other buttons anywhere.

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QTest>

inline void ClickButton(QAbstractButton* button) {
  const bool boxed = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
  QTest::mouseClick(button, Qt::LeftButton, {},
                    boxed ? QPoint(8, button->height() / 2) : button->rect().center());
}
