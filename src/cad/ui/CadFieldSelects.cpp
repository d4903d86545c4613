#include "cad/ui/CadFieldSelects.h"

#include <QEvent>
#include <QWidget>

namespace {

class FieldUseFilter : public QObject
{
public:
    FieldUseFilter(QObject *parent, std::function<void()> selected)
        : QObject(parent), m_selected(std::move(selected))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::KeyPress)
            m_selected();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_selected;
};

} // namespace

void OnFieldUsed(QWidget *field, std::function<void()> selected)
{
    field->installEventFilter(new FieldUseFilter(field, std::move(selected)));
}
