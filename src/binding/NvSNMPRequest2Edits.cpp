#include "NvSNMPRequest2Edits.h"

#include "NvControlKind.h"
#include "NvDateTime.h"
#include "NvEditConstraint.h"
#include "NvEditDisplay.h"
#include "NvError.h"
#include "NvNumList.h"
#include "NvOptionList.h"
#include "NvRadioGroup.h"
#include "NvValueText.h"
#include "ValueImage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTreeWidget>
#include <cmath>
#include <cstring>

namespace {

constexpr QChar kConversionLetters[] = {u's', u'h', u'i', u'u', u'f', u'n'};

// Number of "%" signs followed by one of the conversion letters.
int conversionCount(const QString& format)
{
    int count = 0;
    for (int i = 0; i + 1 < format.size(); ++i) {
        if (format[i] != QLatin1Char('%'))
            continue;
        const QChar letter = format[i + 1];
        for (const QChar def : kConversionLetters)
            count += letter == def ? 1 : 0;
    }
    return count;
}

bool isBooleanSyntax(uint32_t syntax)
{
    return syntax == SYN_BOOLEAN || syntax == SYN_BOOL8 || syntax == SYN_BOOL16;
}

bool isBytesSyntax(uint32_t syntax)
{
    return syntax == SYN_BITS || syntax == SYN_OCTETS || syntax == SYN_OPAQUE;
}

QString controlText(const QWidget* control)
{
    switch (ControlKindOf(control)) {
    case NvControlKind::Edit:
        return static_cast<const QLineEdit*>(control)->text();
    case NvControlKind::Label:
        return static_cast<const QLabel*>(control)->text();
    default:
        return QString();
    }
}

void setControlText(QWidget* control, const QString& text)
{
    switch (ControlKindOf(control)) {
    case NvControlKind::Edit:
        ShowText(static_cast<QLineEdit*>(control), text);
        break;
    case NvControlKind::Label:
        static_cast<QLabel*>(control)->setText(text);
        break;
    default:
        throw NvError::FromCode(-521);
    }
}

// The item of a combo box or radio group that shows an option entry: by the entry's text, so
// that a control offering only some of the entries still selects the right one.
int itemShowing(const QStringList& items, const NvOptionList& options, const QString& text)
{
    const int entry = options.IndexToSelect(text);
    if (entry < 0)
        return -1;
    return items.indexOf(options.Entry(entry).text);
}

QStringList comboItems(const QComboBox* combo)
{
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items.append(combo->itemText(i));
    return items;
}

QString twoDigitHex(uint8_t byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

// A combo box or radio group with no item selected: it has no value to give.
bool hasNothingSelected(const ControlBinding& binding)
{
    const QWidget* control = binding.controls.empty() ? nullptr : binding.controls[0].data();
    switch (ControlKindOf(control)) {
    case NvControlKind::ComboBox:
        return static_cast<const QComboBox*>(control)->currentIndex() < 0;
    case NvControlKind::RadioGroup:
        return static_cast<const NvRadioGroup*>(control)->itemIndex() < 0;
    default:
        return false;
    }
}

const QDate kDayZero(1899, 12, 30);

QDateTime dateTimeOfDays(double days)
{
    const double whole = std::floor(days);
    const qint64 ms = std::llround((days - whole) * 86400000.0);
    return QDateTime(kDayZero.addDays(static_cast<qint64>(whole)), QTime(0, 0)).addMSecs(ms);
}

// Splits a value over several edits by its display syntax.
void splitIntoControls(const ControlBinding& b, const QString& text, const QByteArray& image)
{
    if (text == QLatin1String("(NULL)"))
        return;
    const int count = b.controlCount;
    auto need = [&](int n) {
        if (count < n)
            throw NvError::FromCode(-522);
    };
    auto put = [&](int i, const QString& part) { setControlText(b.controls[i], part); };
    const uint32_t syntax = b.syntax;
    if (isBytesSyntax(syntax) || syntax == SYN_MACADDRESS) {
        need(syntax == SYN_MACADDRESS ? 6 : int(image.size()));
        for (int i = 0; i < image.size() && i < count; ++i)
            put(i, twoDigitHex(static_cast<uint8_t>(image[i])));
    } else if (syntax == SYN_OID) {
        const QStringList arcs = text.split(QLatin1Char('.'), Qt::SkipEmptyParts);
        need(int(arcs.size()));
        for (int i = 0; i < arcs.size(); ++i)
            put(i, arcs[i]);
    } else if (syntax == SYN_IPADDRESS || syntax == SYN_NSAP) {
        need(4);
        for (int i = 0; i < 4 && i < image.size(); ++i)
            put(i, QString::number(static_cast<uint8_t>(image[i])));
    } else if (syntax == SYN_TIMETICKS) {
        need(5);
        const uint32_t ticks = TextToTimeTicks(text);
        put(0, QString::number(ticks / 8640000u));
        put(1, QString::number((ticks % 8640000u) / 360000u));
        put(2, QString::number((ticks % 360000u) / 6000u));
        put(3, QString::number((ticks % 6000u) / 100u));
        put(4, QString::number(ticks % 100u));
    } else if (syntax == SYN_DATEANDTIME) {
        need(10);
        const NvDateTime v = NvDateTime::FromOctets(image);
        const QStringList parts = {
            QString::number(v.year),        QString::number(v.month),
            QString::number(v.day),         QString::number(v.hour),
            QString::number(v.minutes),     QString::number(v.seconds),
            QString::number(v.deciSeconds), QString(QLatin1Char(v.direction)),
            QString::number(v.utcHours),    QString::number(v.utcMinutes)};
        for (int i = 0; i < 10; ++i)
            put(i, parts[i]);
    } else if (syntax == SYN_DATETIME_REAL) {
        need(7);
        double days = 0;
        std::memcpy(&days, image.constData(), sizeof days);
        const QDateTime when = dateTimeOfDays(days);
        const QStringList parts = {
            QString::number(when.date().year()),   QString::number(when.date().month()),
            QString::number(when.date().day()),    QString::number(when.time().hour()),
            QString::number(when.time().minute()), QString::number(when.time().second()),
            QString::number(when.time().msec())};
        for (int i = 0; i < 7; ++i)
            put(i, parts[i]);
    } else {
        put(0, text);
    }
}

// The text several edits compose for a display syntax.
QString composeFromControls(const ControlBinding& b)
{
    QStringList texts;
    for (int i = 0; i < b.controlCount; ++i)
        texts.append(controlText(b.controls[i]));
    const uint32_t syntax = b.syntax;
    if (isBytesSyntax(syntax) || syntax == SYN_MACADDRESS) {
        QString hex;
        for (const QString& t : texts)
            hex += t.isEmpty() ? QStringLiteral("00") : (t.size() == 1 ? QLatin1Char('0') + t : t);
        return hex;
    }
    if (syntax == SYN_OID || syntax == SYN_IPADDRESS || syntax == SYN_NSAP)
        return texts.join(QLatin1Char('.'));
    auto number = [&](int i) { return i < texts.size() ? LeadingInteger(texts[i]) : 0; };
    if (syntax == SYN_TIMETICKS && texts.size() >= 5) {
        const int64_t ticks = number(0) * 8640000 + number(1) * 360000 + number(2) * 6000 +
                              number(3) * 100 + number(4);
        return TimeTicksToText(static_cast<uint32_t>(ticks));
    }
    if (syntax == SYN_DATEANDTIME && texts.size() >= 10) {
        NvDateTime v;
        v.year = static_cast<uint16_t>(number(0));
        v.month = static_cast<uint8_t>(number(1));
        v.day = static_cast<uint8_t>(number(2));
        v.hour = static_cast<uint8_t>(number(3));
        v.minutes = static_cast<uint8_t>(number(4));
        v.seconds = static_cast<uint8_t>(number(5));
        v.deciSeconds = static_cast<uint8_t>(number(6));
        v.direction = texts[7].isEmpty() ? '+' : texts[7][0].toLatin1();
        v.utcHours = static_cast<uint8_t>(number(8));
        v.utcMinutes = static_cast<uint8_t>(number(9));
        return v.Format();
    }
    if (syntax == SYN_DATETIME_REAL && texts.size() >= 7) {
        const QDateTime when(QDate(int(number(0)), int(number(1)), int(number(2))),
                             QTime(int(number(3)), int(number(4)), int(number(5)), int(number(6))));
        return QLocale::c().toString(when, QStringLiteral("yyyy/MM/dd hh:mm:ss ap"));
    }
    return texts.value(0);
}

} // namespace

NvSNMPRequest2Edits::NvSNMPRequest2Edits(QWidget* form_)
    : NvSNMPRequest2Controls(form_), m_constraints(std::make_unique<NvEditConstraint>(form_, true))
{}

NvSNMPRequest2Edits::~NvSNMPRequest2Edits()
{
    if (listView)
        QObject::disconnect(m_selectionConnection);
}

ControlBinding& NvSNMPRequest2Edits::addBinding(int varIndex,
                                                std::vector<QPointer<QWidget>> controls)
{
    auto binding = std::make_unique<ControlBinding>();
    binding->varIndex = varIndex;
    binding->byteOffset = 0;
    binding->syntax = request.list.Item(varIndex).syntax;
    binding->controlCount = static_cast<int>(controls.size());
    binding->controls = std::move(controls);
    m_bindings.push_back(std::move(binding));
    return *m_bindings.back();
}

void NvSNMPRequest2Edits::BindFormat(int varIndex, const QString& format, QWidget* control,
                                     const QList<QWidget*>& furtherControls)
{
    std::vector<QPointer<QWidget>> controls{control};
    const int wanted = qMax(1, conversionCount(format));
    for (int i = 0; i + 1 < wanted && i < furtherControls.size(); ++i)
        controls.emplace_back(furtherControls[i]);
    // Labels take no constraint: their entries stay null.
    QList<QLineEdit*> edits;
    bool anyEdit = false;
    for (const QPointer<QWidget>& c : controls) {
        edits.append(qobject_cast<QLineEdit*>(c.data()));
        anyEdit = anyEdit || edits.back();
    }
    if (anyEdit)
        m_constraints->AddFormat(format, edits);
    addBinding(varIndex, std::move(controls));
}

void NvSNMPRequest2Edits::fillOptionControl(ControlBinding& binding)
{
    QWidget* control = binding.controls[0];
    const NvOptionList* options =
        binding.options ? binding.options : request.list.Item(binding.varIndex).options;
    const NvControlKind kind = ControlKindOf(control);
    if (kind != NvControlKind::ComboBox && kind != NvControlKind::RadioGroup)
        return;
    if (!options)
        throw NvError::FromCode(-520);
    if (kind == NvControlKind::ComboBox) {
        auto* combo = static_cast<QComboBox*>(control);
        if (options->kind() == OPT_PREFIX && binding.controlCount < 2)
            throw NvError::FromCode(-522);
        combo->setEditable(false);
        combo->clear();
        combo->addItems(options->Texts());
        combo->setCurrentIndex(-1);
    } else {
        static_cast<NvRadioGroup*>(control)->setItems(options->Texts());
    }
}

void NvSNMPRequest2Edits::Bind(int varIndex, QWidget* control, QWidget* secondControl)
{
    std::vector<QPointer<QWidget>> controls{control};
    if (secondControl)
        controls.emplace_back(secondControl);
    ControlBinding candidate;
    candidate.varIndex = varIndex;
    candidate.syntax = request.list.Item(varIndex).syntax;
    candidate.controlCount = static_cast<int>(controls.size());
    candidate.controls = controls;
    fillOptionControl(candidate); // raises before anything is stored
    ControlBinding& binding = addBinding(varIndex, std::move(controls));
    binding.options = nullptr;
}

void NvSNMPRequest2Edits::BindBits(int varIndex, const QString& bitList,
                                   const QList<QCheckBox*>& checkBoxes)
{
    NvNumList<int> bits(QLatin1Char(','));
    bits.Parse(bitList);
    std::vector<QPointer<QWidget>> controls;
    for (QCheckBox* box : checkBoxes)
        controls.emplace_back(box);
    ControlBinding& binding = addBinding(varIndex, std::move(controls));
    for (int i = 0; i < binding.controlCount; ++i)
        binding.bitNumbers.push_back(i < bits.count() ? bits[i] : 0);
}

void NvSNMPRequest2Edits::Unbind(int varIndex)
{
    for (auto it = m_bindings.begin(); it != m_bindings.end();) {
        if ((*it)->varIndex != varIndex) {
            ++it;
            continue;
        }
        for (const QPointer<QWidget>& control : (*it)->controls) {
            if (auto* edit = qobject_cast<QLineEdit*>(control.data()))
                m_constraints->Remove(edit);
        }
        it = m_bindings.erase(it);
    }
}

void NvSNMPRequest2Edits::SetConstraintOwner(QWidget* window)
{
    m_constraints->SetOwner(window);
}

void NvSNMPRequest2Edits::EnableControls(bool enabled)
{
    for (const auto& binding : m_bindings) {
        for (const QPointer<QWidget>& control : binding->controls) {
            if (control)
                control->setEnabled(enabled);
        }
    }
}

// --- values and controls ---

void NvSNMPRequest2Edits::ValuesToControls(int varIndex)
{
    for (const auto& binding : m_bindings) {
        if (varIndex != -1 && binding->varIndex != varIndex)
            continue;
        if (request.list.Item(binding->varIndex).flags & VAR_SKIP)
            continue;
        valuesToBinding(*binding);
    }
}

void NvSNMPRequest2Edits::valuesToBinding(const ControlBinding& b)
{
    const NvSNMPVarItem& item = request.list.Item(b.varIndex);
    QString text = item.value;
    if (item.options)
        text = item.options->TextToValue(text);
    QByteArray image = TextToImage(text, item.syntax);
    const NvOptionList* options = b.options;
    if (b.byteOffset != 0 || b.syntax != item.syntax) {
        image = ExtractPart(image, b.byteOffset, b.syntax);
        text = ImageToText(image, b.syntax);
    } else if (!options) {
        options = item.options;
    }
    if (options)
        text = options->ValueToText(text);

    QWidget* control = b.controls.empty() ? nullptr : b.controls[0].data();
    if (!control)
        return;
    switch (ControlKindOf(control)) {
    case NvControlKind::Label:
        static_cast<QLabel*>(control)->setText(text);
        break;
    case NvControlKind::CheckBox:
        if (!b.bitNumbers.empty()) {
            for (int i = 0; i < b.controlCount; ++i) {
                const int bit = b.bitNumbers[i];
                if (bit < 0 || bit / 8 >= image.size())
                    throw NvError::FromCode(-519);
                const bool set = static_cast<uint8_t>(image[bit / 8]) & (0x80u >> (bit % 8));
                if (auto* box = qobject_cast<QCheckBox*>(b.controls[i].data()))
                    box->setChecked(set);
            }
        } else if (options) {
            const int index = options->IndexToSelect(text);
            static_cast<QCheckBox*>(control)->setChecked(index > 0);
        } else {
            if (!isBooleanSyntax(b.syntax))
                throw NvError::FromCode(-517);
            static_cast<QCheckBox*>(control)->setChecked(text == QLatin1String("true"));
        }
        break;
    case NvControlKind::ComboBox: {
        if (!options)
            throw NvError::FromCode(-520);
        auto* combo = static_cast<QComboBox*>(control);
        const int index = itemShowing(comboItems(combo), *options, text);
        combo->setCurrentIndex(index);
        if (b.controlCount > 1 && b.controls[1]) {
            QString rest = index >= 0 ? text.mid(combo->itemText(index).size()) : QString();
            if (b.syntax == SYN_OID && !rest.isEmpty())
                rest.remove(0, 1);
            setControlText(b.controls[1], rest);
        }
        break;
    }
    case NvControlKind::RadioGroup: {
        if (!options)
            throw NvError::FromCode(-520);
        auto* group = static_cast<NvRadioGroup*>(control);
        group->setItemIndex(itemShowing(group->items(), *options, text));
        break;
    }
    case NvControlKind::Edit:
        if (b.controlCount == 1)
            ShowText(static_cast<QLineEdit*>(control), text);
        else
            splitIntoControls(b, text, image);
        break;
    case NvControlKind::Unsupported:
        throw NvError::FromCode(-521);
    }
}

void NvSNMPRequest2Edits::mergeBinding(const ControlBinding& b, QByteArray& image)
{
    const NvSNMPVarItem& item = request.list.Item(b.varIndex);
    const bool wholeValue = b.byteOffset == 0 && b.syntax == item.syntax;
    const NvOptionList* options = b.options ? b.options : (wholeValue ? item.options : nullptr);
    QWidget* control = b.controls.empty() ? nullptr : b.controls[0].data();
    if (!control)
        return;

    if (b.byteOffset < 0 || b.byteOffset > image.size())
        throw NvError::FromCode(-519);

    const NvControlKind kind = ControlKindOf(control);
    if (kind == NvControlKind::CheckBox && !b.bitNumbers.empty()) {
        for (int i = 0; i < b.controlCount; ++i) {
            const int bit = b.bitNumbers[i];
            if (bit < 0)
                throw NvError::FromCode(-519);
            const int byte = b.byteOffset + bit / 8;
            if (image.size() <= byte)
                image.append(QByteArray(byte + 1 - image.size(), '\0'));
            const uint8_t mask = 0x80u >> (bit % 8);
            auto* box = qobject_cast<QCheckBox*>(b.controls[i].data());
            uint8_t value = static_cast<uint8_t>(image[byte]);
            value = box && box->isChecked() ? (value | mask) : (value & ~mask);
            image[byte] = static_cast<char>(value);
        }
        return;
    }

    QString part;
    switch (kind) {
    case NvControlKind::Label:
        part = static_cast<QLabel*>(control)->text();
        break;
    case NvControlKind::CheckBox: {
        const bool checked = static_cast<QCheckBox*>(control)->isChecked();
        if (options) {
            if (options->count() < 2)
                throw NvError::FromCode(-520);
            part = options->Entry(checked ? 1 : 0).text;
        } else if (isBooleanSyntax(b.syntax)) {
            part = checked ? QStringLiteral("true") : QStringLiteral("false");
        } else {
            throw NvError::FromCode(-517);
        }
        break;
    }
    case NvControlKind::ComboBox: {
        auto* combo = static_cast<QComboBox*>(control);
        part = combo->currentIndex() >= 0 ? combo->currentText() : QString();
        if (b.controlCount > 1 && b.controls[1]) {
            if (b.syntax == SYN_OID)
                part += QLatin1Char('.');
            part += controlText(b.controls[1]);
        }
        break;
    }
    case NvControlKind::RadioGroup: {
        auto* group = static_cast<NvRadioGroup*>(control);
        part = group->itemText(group->itemIndex());
        break;
    }
    case NvControlKind::Edit:
        part =
            b.controlCount == 1 ? static_cast<QLineEdit*>(control)->text() : composeFromControls(b);
        break;
    case NvControlKind::Unsupported:
        return;
    }
    if (options)
        part = options->TextToValue(part);
    const QByteArray partImage = TextToImage(part, b.syntax);
    // A whole value of variable length is replaced, never padded by what it held before.
    if (wholeValue && PartWidth(b.syntax) == kRestOfImage) {
        image = partImage;
        return;
    }
    const int end = b.byteOffset + static_cast<int>(partImage.size());
    if (image.size() < end)
        image.append(QByteArray(end - image.size(), '\0'));
    image.replace(b.byteOffset, partImage.size(), partImage);
}

void NvSNMPRequest2Edits::ControlsToValues(int varIndex)
{
    for (int i = 0; i < request.list.Count(); ++i) {
        if (varIndex != -1 && i != varIndex)
            continue;
        if (!request.list.IsWritable(i))
            continue;
        NvSNMPVarItem& item = request.list.Item(i);
        QString text = item.value;
        if (item.options)
            text = item.options->TextToValue(text);
        QByteArray image = TextToImage(text, item.syntax);
        bool bound = false;
        bool unselected = false;
        for (const auto& binding : m_bindings) {
            if (binding->varIndex != i)
                continue;
            if (!bound && item.syntax == SYN_DISPLAYSTRING)
                image.clear();
            bound = true;
            if (hasNothingSelected(*binding)) {
                unselected = true;
                continue;
            }
            mergeBinding(*binding, image);
        }
        if (unselected) {
            // Nothing picked means nothing to say: the device keeps its value. Writing the empty
            // selection would send a value the device never offered (INTEGER 0).
            continue;
        }
        if (!bound)
            continue;
        QString value = ImageToText(image, item.syntax);
        if (item.options)
            value = item.options->ValueToText(value);
        item.value = value;
    }
}

// --- reads and writes ---

void NvSNMPRequest2Edits::BeforeRead()
{
    if (listView) {
        SetUpColumns();
        listView->clear();
    }
    if (onBeforeRead)
        onBeforeRead();
}

void NvSNMPRequest2Edits::BeforeWrite()
{
    if (onBeforeWrite)
        onBeforeWrite();
}

void NvSNMPRequest2Edits::RowRead()
{
    if (listView) {
        AddRow(RowTexts());
        QCoreApplication::processEvents();
        return;
    }
    ValuesToControls(-1);
}

void NvSNMPRequest2Edits::GatherValues()
{
    // Values held before the gathering: a variable whose combo box or radio group has nothing
    // selected is left out of the write and keeps what it held.
    QStringList before;
    for (int i = 0; i < request.list.Count(); ++i)
        before.append(request.list.Item(i).value);
    for (int i = 0; i < request.list.Count(); ++i)
        request.list.Item(i).value.clear();
    std::vector<bool> provided(static_cast<size_t>(request.list.Count()), false);
    if (listView && !listView->selectedItems().isEmpty()) {
        TakeSelectedRow();
        for (const int i : m_columnItems)
            provided[static_cast<size_t>(i)] = true;
    }
    ControlsToValues(-1);
    // A variable that neither a control nor the selected row gives a value keeps the one it
    // had: an emptied value would be written as 0, an empty string or an address that is none.
    for (const auto& binding : m_bindings)
        provided[static_cast<size_t>(binding->varIndex)] = true;
    for (int i = 0; i < request.list.Count(); ++i) {
        if (!provided[static_cast<size_t>(i)])
            request.list.Item(i).value = before[i];
    }
    for (int i = 0; i < request.list.Count(); ++i) {
        if (!request.list.IsWritable(i))
            continue;
        for (const auto& binding : bindings()) {
            if (binding->varIndex != i)
                continue;
            if (hasNothingSelected(*binding)) {
                m_heldBack.push_back({i, request.list.Item(i).flags, before[i]});
                request.list.Item(i).value = before[i];
                break;
            }
        }
    }
}

void NvSNMPRequest2Edits::AfterRead()
{
    if (listView && disableUntilSelected && request.list.kind == LIST_TABLE)
        EnableControls(false);
    if (onAfterRead)
        onAfterRead();
}

void NvSNMPRequest2Edits::AfterWrite()
{
    if (onAfterWrite)
        onAfterWrite();
}

// --- list view ---

void NvSNMPRequest2Edits::AttachListView(QTreeWidget* view, bool disableUntilSelected_)
{
    if (listView)
        QObject::disconnect(m_selectionConnection);
    listView = view;
    disableUntilSelected = disableUntilSelected_;
    if (!view)
        return;
    view->setRootIsDecorated(false);
    view->setItemsExpandable(false);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setUniformRowHeights(true);
    view->header()->setMinimumSectionSize(0);
    view->header()->setStretchLastSection(false);
    view->setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid palette(mid); "
                                       "border-bottom: 1px solid palette(mid); }"));
    // The view's own selection handlers stay connected and run first.
    m_selectionConnection =
        QObject::connect(view, &QTreeWidget::itemSelectionChanged, view, [this, view] {
            const QList<QTreeWidgetItem*> selected = view->selectedItems();
            QTreeWidgetItem* item = selected.isEmpty() ? view->currentItem() : selected.first();
            ListItemSelected(view, item, !selected.isEmpty());
        });
    SetUpColumns();
}

void NvSNMPRequest2Edits::SetUpColumns()
{
    const NvSNMPVarList& list = request.list;
    std::vector<int> order;
    for (int i = 0; i < list.Count(); ++i) {
        if (list.IsHiddenColumn(i))
            order.push_back(i);
    }
    const size_t hidden = order.size();
    for (int i = 0; i < list.Count(); ++i) {
        if (list.IsShownColumn(i) && !list.IsHiddenColumn(i))
            order.push_back(i);
    }
    m_columnItems = order;
    // Columns a page laid out itself are kept when there are enough of them.
    if (!listView || listView->columnCount() >= list.ShownCount() + list.HiddenCount())
        return;
    QStringList captions;
    for (const int i : order)
        captions.append(list.Item(i).name);
    listView->setColumnCount(static_cast<int>(order.size()));
    listView->setHeaderLabels(captions);
    const QFontMetrics metrics(listView->header()->font());
    for (int c = 0; c < static_cast<int>(order.size()); ++c) {
        const int width =
            static_cast<size_t>(c) < hidden ? 0 : metrics.horizontalAdvance(captions[c]) + 16;
        listView->header()->resizeSection(c, width);
    }
}

QStringList NvSNMPRequest2Edits::RowTexts() const
{
    QStringList texts;
    for (const int i : m_columnItems)
        texts.append(request.list.Item(i).value);
    return texts;
}

void NvSNMPRequest2Edits::AddRow(const QStringList& texts)
{
    if (!listView)
        return;
    auto* row = new QTreeWidgetItem(texts);
    listView->addTopLevelItem(row);
}

void NvSNMPRequest2Edits::TakeSelectedRow()
{
    if (!listView)
        return;
    const QList<QTreeWidgetItem*> selected = listView->selectedItems();
    if (selected.isEmpty())
        return;
    const QTreeWidgetItem* row = selected.first();
    for (int c = 0; c < static_cast<int>(m_columnItems.size()) && c < row->columnCount(); ++c)
        request.list.Item(m_columnItems[c]).value = row->text(c);
}

void NvSNMPRequest2Edits::ListItemSelected(QTreeWidget*, QTreeWidgetItem*, bool selected)
{
    if (!selected)
        return;
    if (disableUntilSelected)
        EnableControls(true);
    TakeSelectedRow();
    ValuesToControls(-1);
}
