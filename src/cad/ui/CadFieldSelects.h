#pragma once

#include <QObject>

#include <functional>

class QWidget;

/// Calls `selected` when the field is clicked or receives a key: typing in a custom field
/// selects its custom option.
void OnFieldUsed(QWidget *field, std::function<void()> selected);
