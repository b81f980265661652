#include "TCtrlBtnPanel.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

// The compiled-in glyphs live in this static library, so their registration has to be asked for
// (outside any namespace, as the resource's initialiser is declared in the global one).
static void registerGlyphResource()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(panels);
        return true;
    }();
    Q_UNUSED(registered);
}

namespace {

QPixmap readGlyph(const QString& fileName)
{
    QPixmap glyph;
    const QString local = QDir::currentPath() + QLatin1Char('/') + fileName;
    if (QFile::exists(local) && glyph.load(local))
        return glyph;
    registerGlyphResource();
    glyph.load(QStringLiteral(":/panels/") + fileName);
    return glyph;
}

} // namespace

TCtrlBtnPanel::TCtrlBtnPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("CtrlBtnPanel"));
    counter = new QLabel(QStringLiteral("0"), this);
    counter->setObjectName(QStringLiteral("counter"));
    counter->setAlignment(Qt::AlignCenter);
    counter->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    counter->resize(kElementWidth, kCounterHeight);
    m_elements.push_back(counter);

    counterLabel = new QLabel(QStringLiteral("Samples"), this);
    counterLabel->setObjectName(QStringLiteral("counterLabel"));
    counterLabel->setAlignment(Qt::AlignCenter);
    counterLabel->resize(kElementWidth, counterLabel->sizeHint().height());
    m_elements.push_back(counterLabel);

    refreshButton =
        addButtonElement("refreshButton", QStringLiteral("Refresh"), QStringLiteral("Get.bmp"));
    editButton = addButtonElement("editButton", QStringLiteral("Edit"), QStringLiteral("Set.bmp"));
    setButton = addButtonElement("setButton", QStringLiteral("Set Checked"),
                                 QStringLiteral("SetCheck.bmp"));
    addButton = addButtonElement("addButton", QStringLiteral("Add"), QStringLiteral("Add.bmp"));
    addButton->hide();
    deleteButton =
        addButtonElement("deleteButton", QStringLiteral("Delete"), QStringLiteral("Delete.bmp"));
    deleteButton->hide();
    checkAllButton = addButtonElement("checkAllButton", QStringLiteral("Check All"),
                                      QStringLiteral("SelectAll.bmp"));
    clearChecksButton = addButtonElement("clearChecksButton", QStringLiteral("Clear Checks"),
                                         QStringLiteral("SelectNone.bmp"));
    closeButton =
        addButtonElement("closeButton", QStringLiteral("Close"), QStringLiteral("Close.bmp"));
    LayoutButtons();
}

QPushButton* TCtrlBtnPanel::addButtonElement(const char* objectName, const QString& caption,
                                             const QString& glyphFile)
{
    auto* button = new QPushButton(caption, this);
    button->setObjectName(QString::fromLatin1(objectName));
    button->resize(kElementWidth, kButtonHeight);
    LoadGlyph(button, glyphFile);
    m_elements.push_back(button);
    return button;
}

void TCtrlBtnPanel::LoadGlyph(QPushButton* button, const QString& fileName)
{
    const QPixmap glyph = readGlyph(fileName);
    if (glyph.isNull())
        return;
    button->setToolTip(button->text());
    button->setText(QString());
    button->setIcon(QIcon(glyph));
    button->setIconSize(glyph.size());
}

void TCtrlBtnPanel::LayoutButtons()
{
    int top = topMargin;
    int bottom = topMargin;
    for (QWidget* element : m_elements) {
        element->setGeometry(leftMargin, top, kElementWidth, element->height());
        if (element->isHidden())
            continue;
        bottom = element->geometry().bottom() + 1;
        top = bottom + kSpacing;
    }
    const int width = 2 * leftMargin + refreshButton->width();
    setFixedWidth(width);
    setMinimumHeight(bottom + topMargin);
    resize(width, qMax(height(), bottom + topMargin));
    updateGeometry();
}

QSize TCtrlBtnPanel::sizeHint() const
{
    return QSize(width(), minimumHeight());
}
