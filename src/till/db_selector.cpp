#include "till/db_selector.h"

#include "db/dm_orvo.h"
#include "errors/exception.h"
#include "staff/tch_button.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QVBoxLayout>

namespace {

TTchButton* makeButton(QWidget* parent, const char* name, const QString& caption, int width, int height)
{
    auto* button = new TTchButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->SetCaption(caption);
    button->resize(width, height);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    button->setFont(font);
    return button;
}

} // namespace

TfrmDbSelector::TfrmDbSelector(QWidget* parent) : TfrmPosForm(parent, CreateHandler::Own)
{
    setObjectName(QStringLiteral("frmDbSelector"));
    SetClientSize(286, 289);

    qry = new pw::till::EditableQuery(dmOrvo ? &dmOrvo->con : nullptr, this);
    qry->setObjectName(QStringLiteral("qry"));

    auto* layout = static_cast<QVBoxLayout*>(pnlMain->layout());
    pnlTop = new TZQPanel(pnlMain);
    pnlTop->setObjectName(QStringLiteral("pnlTop"));
    pnlTop->SetBevelOuter(bvNone);
    pnlTop->SetCaption(QStringLiteral("DB Selector"));
    pnlTop->setFixedHeight(17);
    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(13);
    bold.setBold(true);
    pnlTop->setFont(bold);
    layout->insertWidget(0, pnlTop);

    nav = new pw::till::DbNavigator(pnlMain);
    nav->setObjectName(QStringLiteral("nav"));
    nav->setFixedHeight(25);
    const char* navNames[] = {"navFirst",  "navPrior", "navNext", "navLast",  "navInsert",
                              "navDelete", "navEdit",  "navPost", "navCancel"};
    for (int i = pw::till::nbFirst; i <= pw::till::nbCancel; ++i)
        nav->button(static_cast<pw::till::TNavigateBtn>(i))->setObjectName(QString::fromLatin1(navNames[i]));
    nav->setDataSet(qry);
    layout->insertWidget(1, nav);

    grid = new pw::till::DbGrid(pnlMain);
    grid->setObjectName(QStringLiteral("grid"));
    grid->horizontalHeader()->setFont(bold);
    grid->setDataSet(qry);
    // The grid fills what the panels leave; the stretch of the base layout goes.
    delete layout->takeAt(2);
    layout->insertWidget(2, grid, 1);

    btnOK = makeButton(pnlBottom, "btnOK", QStringLiteral("&OK"), 64, 24);
    btnCancel = makeButton(pnlBottom, "btnCancel", QStringLiteral("&Cancel"), 64, 24);
    btnClose = makeButton(pnlBottom, "btnClose", QStringLiteral("Close"), 75, 25);
    pnlBottom->SetHorizSpacing(19);
    connect(btnOK, &TTchButton::OnClick, this, [this] { btnOKClick(); });
    connect(btnCancel, &TTchButton::OnClick, this, [this] { btnCancelClick(); });

    // The form's create handler.
    QryStrings.clear();
    SetAllowEdit(true);
    Buttons = mbOK | mbCancel;

    installEventFilter(this);
}

TfrmDbSelector::~TfrmDbSelector() = default;

void TfrmDbSelector::SetAllowEdit(bool on)
{
    m_allowEdit = on;
    if (on) {
        btnCancel->setVisible(true);
        nav->setVisible(true);
        qry->setAutoEdit(true);
        grid->setReadOnly(false);
        btnCancel->move(pnlBottom->width() / 2 + 5, btnCancel->y());
        btnOK->move(btnCancel->x() - (btnOK->width() + 5), btnOK->y());
    } else {
        btnCancel->setVisible(false);
        btnOK->move(pnlBottom->width() / 2 - btnOK->width() / 2, btnOK->y());
        nav->setVisible(false);
        qry->setAutoEdit(false);
        grid->setReadOnly(true);
    }
}

bool TfrmDbSelector::CtrlEnterPressed()
{
    return m_allowEdit;
}
bool TfrmDbSelector::InsertPressed()
{
    return m_allowEdit;
}
bool TfrmDbSelector::DeletePressed()
{
    return m_allowEdit;
}

void TfrmDbSelector::AfterRefresh(pw::till::EditableQuery&) {}

bool TfrmDbSelector::DoRefresh()
{
    bool result = false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qry->disableControls();
    pw::db::Bookmark mark;
    try {
        if (QryStrings.isEmpty())
            throw pw::Exception(QStringLiteral("TfrmDbSelector.QryStrings has not been set"));
        if (qry->active())
            mark = qry->bookmark();
        qry->close();
        qry->setSql(QryStrings);
        qry->open();
        AfterRefresh(*qry);
        result = !qry->isEmpty();
    } catch (const std::exception& e) {
        MessageDlgEx(QStringLiteral("Failed to refresh the query\r\rReason: ") + pw::messageOf(e) +
                         QStringLiteral("\r\rRaised In: TfrmDbSelector.DoRefresh"),
                     mtError, mbOK);
        result = false;
    }
    if (mark.isValid())
        qry->gotoBookmark(mark);
    qry->enableControls();
    QApplication::restoreOverrideCursor();
    return result;
}

bool TfrmDbSelector::Execute()
{
    if (!DoRefresh())
        return false;
    if (isVisible())
        hide();
    return ShowModal() == mrOk;
}

void TfrmDbSelector::btnOKClick()
{
    CloseWith(mrOk);
}

void TfrmDbSelector::btnCancelClick()
{
    CloseWith(mrCancel);
}

void TfrmDbSelector::FormShow()
{
    TfrmPosForm::FormShow();
    btnOK->setVisible((Buttons & mbOK) != 0);
    btnCancel->setVisible((Buttons & mbCancel) != 0);
    btnClose->setVisible(Buttons == 0);
    pnlBottom->Arrange();
    WatchKeys(this);
}

// Picking from an empty list is not a choice.
void TfrmDbSelector::FormClose(int& modalResult)
{
    if (!qry->active() || qry->isEmpty())
        modalResult = mrCancel;
}

bool TfrmDbSelector::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (qry->editing() || grid->editingCell())
            return false;
        if (modifiers & Qt::ControlModifier)
            CtrlEnterPressed();
        else
            btnOKClick();
        return true;
    case Qt::Key_Escape:
        CloseWith(mrCancel);
        return true;
    case Qt::Key_Insert:
        InsertPressed();
        return true;
    case Qt::Key_Delete:
        DeletePressed();
        return true;
    default:
        return false;
    }
}

// The form sees the keys before its controls; they still reach the focused control.
void TfrmDbSelector::WatchKeys(QWidget* widget)
{
    for (QWidget* child : widget->findChildren<QWidget*>())
        child->installEventFilter(this);
}

bool TfrmDbSelector::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() == QEvent::KeyRelease)
        m_lastKey = {};
    if (e->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(e);
        // A key a child passes on to its parent comes by again: it is acted on once.
        const SeenKey seen{e, key->key(), key->timestamp()};
        if (!(seen == m_lastKey)) {
            m_lastKey = seen;
            FormKeyDown(key->key(), key->modifiers());
        }
    }
    return TfrmPosForm::eventFilter(watched, e);
}
