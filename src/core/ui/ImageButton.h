#pragma once

#include <QAbstractButton>
#include <QString>

#include <functional>

struct InputError;

/// The program's image button: a picture from an SVG set, in the four states of
/// ModuleRSVBut, with a sunken border while pressed. It takes the focus with Tab and is
/// pressed with Space or Enter like any button; its accessible name is its Portuguese
/// description ("Avançar", "Novo projeto"), which is also the tooltip when no limit message
/// stands.
///
/// The pictures are the resources ":/pictures/<set>_<index>_<state>.svg" when a set draws its
/// forward and back buttons differently (imgarw), otherwise ":/pictures/<set>_<state>.svg".
class ImageButton : public QAbstractButton
{
    Q_OBJECT

public:
    /// controlName "butarw", index 2 (forward) or 3 (back); toolbar buttons use index 2.
    ImageButton(const QString &controlName, int index, const QString &description,
                QWidget *parent = nullptr);

    /// Registers the picture sets (":/pictures/…") with Qt's resources; the image buttons do it
    /// themselves, other users of the pictures (the status bar) call it first.
    static void ensurePictures();

    int index() const { return m_index; }
    QString pictureSet() const;
    QString description() const { return m_description; }

    /// The state shown: 0 disabled, 1 normal, 2 or 3 hover.
    int pictureState() const { return m_state; }
    void setPictureState(int state);

    /// SetButtonPicture for this button: the state and tooltip the rules give under the pending
    /// input-limit result.
    void SetButtonPicture(int state, const InputError &status, bool onMainWindow);

    /// Whether a mouse press shows the sunken border; by default always. Forward buttons refuse
    /// it while a limit is broken, the toolbar's results buttons while the results are hidden.
    void setPressAllowed(std::function<bool()> allowed) { m_pressAllowed = std::move(allowed); }

    /// The picture file of a state, or an empty text when the set has none.
    QString pictureFile(int state) const;

    QSize sizeHint() const override;
    void setPictureSize(const QSize &size);

signals:
    /// The pointer entered the button (the window switches it to its hover picture).
    void hovered();

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_controlName;
    int m_index;
    QString m_description;
    int m_state = 1;
    bool m_sunken = false;
    QSize m_pictureSize{ 32, 32 };
    std::function<bool()> m_pressAllowed;
};
