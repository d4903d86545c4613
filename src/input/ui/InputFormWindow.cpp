#include "input/ui/InputFormWindow.h"

#include <QLabel>

#include "core/AppContext.h"
#include "core/ModuleNumberBox.h"
#include "core/ui/ImageButton.h"
#include "core/ui/MDI.h"
#include "core/ui/NumericLineEdit.h"
#include "core/ui/SceneView.h"
#include "input/InputFlows.h"
#include "input/ui/FormBinding.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>

InputFormWindow::InputFormWindow(MDI &mdi, InputChain::InputWindow which, FormModel &model,
                                 const QString &caption)
    : m_mdi(mdi), m_ctx(mdi.context()), m_which(which), m_model(model)
{
    setObjectName(QString::fromStdString(InputChain::FormName(which)));
    setWindowTitle(caption);
    setMouseTracking(true);
    m_binding = new FormBinding(m_ctx, model, this);
}

void InputFormWindow::addButtons(QGridLayout *grid, int row, int columns,
                                 const QString &forwardControl, bool withBack)
{
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const bool calculate = forwardControl == QLatin1String("butres");
    if (withBack) {
        m_back = new ImageButton("butarw", 3, QStringLiteral("Voltar"), this);
        m_back->setObjectName("butarw_3");
        buttons->addWidget(m_back);
        m_binding->bindImageButton(m_back, "butarw_3");
        connect(m_back, &QAbstractButton::clicked, this, [this] { butarw_Click(3); });
        connect(m_back, &ImageButton::hovered, this, [this] {
            if (m_model.state("butarw_3") != 0)
                m_model.setState("butarw_3", 3);
        });
    }
    m_forwardName = forwardControl.toStdString() + "_2";
    m_forward = new ImageButton(forwardControl, 2,
                                calculate ? QStringLiteral("Calcular") : QStringLiteral("Avançar"),
                                this);
    m_forward->setObjectName(QString::fromStdString(m_forwardName));
    buttons->addWidget(m_forward);
    m_binding->bindImageButton(m_forward, m_forwardName);
    connect(m_forward, &QAbstractButton::clicked, this, [this] { butarw_Click(2); });
    connect(m_forward, &ImageButton::hovered, this, [this] {
        if (m_model.state(m_forwardName) != 0)
            m_model.setState(m_forwardName, 2);
    });
    // Until the picture sets are drawn the buttons show their descriptions, which need room.
    for (ImageButton *b : { m_back, m_forward }) {
        if (b && b->pictureFile(1).isEmpty())
            b->setPictureSize({ fontMetrics().horizontalAdvance(b->description()) + 8,
                                fontMetrics().height() });
    }
    grid->addLayout(buttons, row, 0, 1, columns);
}

NumericLineEdit *InputFormWindow::numericField(const char *control)
{
    auto *edit = new NumericLineEdit(this);
    edit->setObjectName(control);
    if (const auto mask = ModuleNumberBox::NumericFieldMask(m_model.formName(), control))
        edit->setNumericMask(std::string(mask->mask), mask->allowZero);
    edit->setRegionalSettings(m_ctx);
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000,000")) + 16);
    m_binding->bindText(edit);
    return edit;
}

SceneView *InputFormWindow::picture(const char *name)
{
    auto *view = new SceneView(this);
    view->setObjectName(name);
    view->setMinimumSize(200, 150);
    connect(view, &SceneView::pointerMoved, this, &InputFormWindow::resetButtonPictures);
    return view;
}

SceneView *InputFormWindow::layoutFields(QGridLayout *grid, std::initializer_list<FieldRow> rows,
                                         QWidget *&first)
{
    QWidget *previous = nullptr;
    int row = 0;
    for (const FieldRow &r : rows) {
        NumericLineEdit *field = numericField(r.control);
        auto *symbol = new QLabel(QString::fromUtf8(r.symbol), this);
        symbol->setObjectName(QStringLiteral("Label_") + r.control);
        if (!r.longCaption) {
            grid->addWidget(symbol, row, 0, Qt::AlignRight);
            grid->addWidget(new QLabel(QStringLiteral("="), this), row, 1);
        } else {
            symbol->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            symbol->setWordWrap(true);
            symbol->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("M")) * 15);
            grid->addWidget(symbol, row, 0, 1, 2);
        }
        grid->addWidget(field, row, 2);
        grid->addWidget(new QLabel(QString::fromUtf8(r.unit), this), row, 3);
        if (previous)
            setTabOrder(previous, field);
        else
            first = field;
        previous = field;
        ++row;
    }
    grid->setRowStretch(row, 1);
    SceneView *image = picture("Image1");
    grid->addWidget(image, 0, 4, row + 1, 1);
    grid->setColumnStretch(4, 1);
    addButtons(grid, row + 1, 5, QStringLiteral("butarw"), true);
    if (previous)
        setTabOrder(previous, forwardButton());
    setTabOrder(forwardButton(), backButton());
    return image;
}

void InputFormWindow::butarw_Click(int index)
{
    if (index == 2)
        InputFlows::Forward(m_ctx, m_which);
    else if (m_back)
        InputFlows::Back(m_ctx, m_which);
}

void InputFormWindow::resetButtonPictures()
{
    if (m_model.state(m_forwardName) != 0)
        m_model.setState(m_forwardName, 1);
    if (m_back)
        m_model.setState("butarw_3", 1);
    m_binding->refreshButtons();
}

void InputFormWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    FormBinding::PlaceChildWindow(this, FormBinding::InputWindowSize(m_ctx, this), !m_shownBefore);
    m_shownBefore = true;
    m_binding->refreshAll();
    windowShown();
    if (QWidget *first = firstControl()) {
        first->setFocus(Qt::TabFocusReason);
        // Entered as with Tab: the whole text selected, so the first key replaces it. The
        // focus-in that would select it comes only once the sub-window is active.
        if (auto *edit = qobject_cast<QLineEdit *>(first))
            edit->selectAll();
    }
}

void InputFormWindow::keyPressEvent(QKeyEvent *event)
{
    // Keys the fields and options leave alone come here: Enter goes forward with the same
    // limit check as a click, Escape goes back.
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        butarw_Click(2);
        event->accept();
        return;
    }
    if (event->key() == Qt::Key_Escape && m_back) {
        butarw_Click(3);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void InputFormWindow::mouseMoveEvent(QMouseEvent *event)
{
    resetButtonPictures();
    QWidget::mouseMoveEvent(event);
}
