#include "cad/ui/CadColorPicker.h"

#include "draw/CadColors.h"

#include <QDialog>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QColor qcolor(int index)
{
    const CadColors::Rgb c = CadColors::rgbOf(index);
    return QColor(c.r, c.g, c.b);
}

QIcon swatch(int index, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    if (index >= 1 && index <= 255) {
        p.fillRect(pixmap.rect().adjusted(0, 0, -1, -1), qcolor(index));
    } else {
        // Outside the palette: a crossed box, so it is not taken for black.
        p.fillRect(pixmap.rect().adjusted(0, 0, -1, -1), Qt::white);
        p.drawLine(0, 0, size - 1, size - 1);
        p.drawLine(0, size - 1, size - 1, 0);
    }
    p.setPen(Qt::darkGray);
    p.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
    return QIcon(pixmap);
}

} // namespace

CadColorPicker::CadColorPicker(QWidget *parent) : QToolButton(parent)
{
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    connect(this, &QToolButton::clicked, this, &CadColorPicker::choose);
    refresh();
}

QString CadColorPicker::colorText(int color)
{
    const std::string_view name = CadColors::nameOf(color);
    if (!name.empty())
        return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
    return QStringLiteral("Cor %1").arg(color);
}

void CadColorPicker::setColor(int color)
{
    if (color == m_color)
        return;
    m_color = color;
    refresh();
    emit colorChanged(color);
}

void CadColorPicker::refresh()
{
    setIcon(swatch(m_color, 14));
    setText(colorText(m_color));
    setAccessibleName(text());
}

void CadColorPicker::choose()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("CadColorPalette"));
    dialog.setWindowTitle(QStringLiteral("Selecione a Cor"));
    auto *layout = new QVBoxLayout(&dialog);
    auto *named = new QGridLayout;
    auto *palette = new QGridLayout;
    palette->setSpacing(1);
    named->setSpacing(2);
    auto *current = new QLabel(colorText(m_color), &dialog);
    const auto add = [&](QGridLayout *grid, int index, int row, int column, int size, bool label) {
        auto *b = new QToolButton(&dialog);
        b->setObjectName(QStringLiteral("cor%1").arg(index));
        b->setIcon(swatch(index, size));
        b->setIconSize(QSize(size, size));
        b->setAutoRaise(true);
        b->setToolTip(colorText(index));
        if (label) {
            b->setText(colorText(index));
            b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        }
        connect(b, &QToolButton::clicked, &dialog, [this, &dialog, index] {
            setColor(index);
            dialog.accept();
        });
        grid->addWidget(b, row, column);
    };
    for (int i = 1; i <= 7; ++i)
        add(named, i, (i - 1) / 4, (i - 1) % 4, 14, true);
    // The rest of the index in rows of 24, as drawing programs lay it out.
    for (int i = 8; i <= 255; ++i)
        add(palette, i, (i - 8) / 24, (i - 8) % 24, 12, false);
    layout->addWidget(new QLabel(QStringLiteral("Cores padrão:"), &dialog));
    layout->addLayout(named);
    layout->addWidget(new QLabel(QStringLiteral("Outras cores:"), &dialog));
    layout->addLayout(palette);
    auto *cancel = new QPushButton(QStringLiteral("Cancela"), &dialog);
    connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Atual:"), &dialog));
    bottom->addWidget(current, 1);
    bottom->addWidget(cancel);
    layout->addLayout(bottom);
    dialog.exec();
}
