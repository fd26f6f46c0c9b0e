#include "ui/GridView.h"

#include <QCompleter>
#include <QEvent>
#include <QLineEdit>

namespace pb {

void MakeEditableList(QComboBox* combo)
{
    if (combo->isEditable())
        return;
    auto* edit = new QLineEdit(combo);
    edit->setCompleter(new QCompleter(edit));
    edit->setPalette(combo->palette());
    combo->setLineEdit(edit);
}

int SelectedPosition(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    if (!combo->isEditable())
        return index;
    const QString shown = combo->currentText();
    if (index >= 0 && combo->itemText(index) == shown)
        return index;
    // Typed text: an exact option text still counts as that option.
    return combo->findText(shown, Qt::MatchExactly | Qt::MatchCaseSensitive);
}

namespace {

bool sameOptions(const QComboBox* combo, const QStringList& options)
{
    if (combo->count() != options.size())
        return false;
    for (int i = 0; i < combo->count(); ++i) {
        if (combo->itemText(i) != options[i])
            return false;
    }
    return true;
}

} // namespace

GridView::GridView(const SettingsGrid& grid, GridModel& model, QObject* parent)
    : QObject(parent), grid_(grid), model_(model), page_(grid.ComboInstellingen[0]->parentWidget()),
      callPage_(grid.FramePagerOproepen->parentWidget())
{
    grid_.model = &model;
    for (int r = 0; r < kGridRows; ++r) {
        QComboBox* combo = grid_.ComboInstellingen[r];
        connect(combo, &QComboBox::currentIndexChanged, this, [this, r] { takeFromList(r); });
        connect(combo, &QComboBox::editTextChanged, this, [this, r] { takeFromList(r); });
        rowChanged(r);
    }
    page_->installEventFilter(this);
    callPage_->installEventFilter(this);
    if (page_->isVisible())
        makeListsEditable();
    connect(&model_, &GridModel::rowChanged, this, &GridView::rowChanged);
    connect(&model_, &GridModel::callPanelChanged, this, &GridView::showCallPanel);
}

bool GridView::eventFilter(QObject* watched, QEvent* event)
{
    // The tab control shows the page before it is painted, also while the
    // window itself is not on the screen yet.
    if (watched == page_ && event->type() == QEvent::ShowToParent)
        showWaitingRows();
    if (watched == page_ && event->type() == QEvent::Show && !editable_)
        makeListsEditable();
    if (watched == callPage_ && event->type() == QEvent::ShowToParent && bleepCodesWaiting_)
        showCallPanel();
    return QObject::eventFilter(watched, event);
}

void GridView::makeListsEditable()
{
    editable_ = true;
    for (QComboBox* combo : grid_.ComboInstellingen)
        MakeEditableList(combo);
    // The page is on the screen: every row, typed texts into the new text
    // parts included.
    for (int r = 0; r < kGridRows; ++r)
        showRow(r);
    waiting_.reset();
}

void GridView::rowChanged(int row)
{
    if (page_->isHidden())
        waiting_.set(row);
    else
        showRow(row);
}

void GridView::showWaitingRows()
{
    for (int r = 0; r < kGridRows; ++r) {
        if (waiting_.test(r))
            showRow(r);
    }
    waiting_.reset();
}

void GridView::takeFromList(int row)
{
    if (showing_)
        return;
    const QComboBox* combo = grid_.ComboInstellingen[row];
    // The list itself already shows the change: the model must not echo it
    // back into a line the user is typing in.
    showing_ = true;
    if (combo->isEditable())
        model_.type(row, combo->currentText());
    else
        model_.select(row, combo->currentIndex());
    showing_ = false;
}

void GridView::showRow(int row)
{
    if (showing_)
        return;
    showing_ = true;
    const GridModel::Row& r = model_.row(row);
    QComboBox* combo = grid_.ComboInstellingen[row];
    if (!sameOptions(combo, r.options)) {
        combo->clear();
        combo->addItems(r.options);
    }
    combo->setCurrentIndex(r.position);
    if (combo->isEditable() && combo->currentText() != r.text)
        combo->setEditText(r.text);
    combo->setVisible(r.shown);
    grid_.CmdReadSingleSetting[row]->setVisible(r.shown);
    grid_.CmdWriteSingleSetting[row]->setVisible(r.shown);
    showing_ = false;
}

void GridView::showCallPanel()
{
    grid_.FramePagerOproepen->setVisible(model_.callPanelShown());
    if (!model_.callPanelShown())
        return;
    // Filling the list makes its popup view, the only item view of the
    // start: it waits, like the grid, until its page is shown.
    if (callPage_->isHidden()) {
        bleepCodesWaiting_ = true;
        return;
    }
    bleepCodesWaiting_ = false;
    QComboBox* codes = grid_.ComboTestBleepCode;
    MakeEditableList(codes);
    codes->clear();
    codes->addItems(model_.bleepCodes());
    codes->setCurrentIndex(model_.defaultBleepCode());
    codes->show();
}

} // namespace pb
