#include "till/db_navigator.h"

#include "till/db_grid.h"

#include <QHBoxLayout>

namespace pw::till {
namespace {

struct ButtonLook
{
    const char* symbol;
    const char* caption;
    const char* hint;
};

const ButtonLook kLooks[] = {
    {"|<", "First", "Move to first record"},
    {"<", "Prior", "Move to prior record"},
    {">", "Next", "Move to next record"},
    {">|", "Last", "Move to last record"},
    {"+", "Insert", "Insert new record"},
    {"-", "Delete", "Delete current record"},
    {"^", "Edit", "Edit current record"},
    {"\u2713", "Post", "Post changes of current record"},
    {"x", "Cancel", "Cancel changes made to current record"},
};

} // namespace

DbNavigator::DbNavigator(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (int i = nbFirst; i <= nbCancel; ++i) {
        auto* button = new QToolButton(this);
        button->setText(QString::fromUtf8(kLooks[i].symbol));
        button->setToolTip(QString::fromLatin1(kLooks[i].hint));
        button->setFixedSize(25, 25);
        button->setFocusPolicy(Qt::NoFocus);
        const auto which = static_cast<TNavigateBtn>(i);
        connect(button, &QToolButton::clicked, this, [this, which] { BtnClick(which); });
        layout->addWidget(button);
        m_buttons[i] = button;
    }
    layout->addStretch();
    updateButtons();
}

void DbNavigator::setDataSet(EditableQuery* data)
{
    if (m_data)
        disconnect(m_data, nullptr, this, nullptr);
    m_data = data;
    if (m_data) {
        connect(m_data, &EditableQuery::stateChanged, this, &DbNavigator::updateButtons);
        connect(m_data, &EditableQuery::currentChanged, this, &DbNavigator::updateButtons);
        connect(m_data, &EditableQuery::rowsReset, this, &DbNavigator::updateButtons);
    }
    updateButtons();
}

void DbNavigator::setVisibleButtons(const QList<TNavigateBtn>& buttons)
{
    for (int i = nbFirst; i <= nbCancel; ++i)
        m_buttons[i]->setVisible(buttons.contains(static_cast<TNavigateBtn>(i)));
}

void DbNavigator::setShowCaptions(bool on)
{
    for (int i = nbFirst; i <= nbCancel; ++i) {
        m_buttons[i]->setText(on ? QString::fromLatin1(kLooks[i].caption)
                                 : QString::fromUtf8(kLooks[i].symbol));
        m_buttons[i]->setToolButtonStyle(Qt::ToolButtonTextOnly);
    }
}

void DbNavigator::setButtonSize(int width, int height)
{
    for (QToolButton* button : m_buttons)
        button->setFixedSize(width, height);
}

void DbNavigator::BtnClick(TNavigateBtn which)
{
    if (!m_data)
        return;
    if (which == nbDelete && m_confirmDelete && !ConfirmDeleteRecord())
        return;
    RunDataAction([this, which] {
        switch (which) {
        case nbFirst:
            m_data->first();
            break;
        case nbPrior:
            m_data->prior();
            break;
        case nbNext:
            m_data->next();
            break;
        case nbLast:
            m_data->last();
            break;
        case nbInsert:
            m_data->insert();
            break;
        case nbDelete:
            m_data->remove();
            break;
        case nbEdit:
            m_data->edit();
            break;
        case nbPost:
            m_data->post();
            break;
        case nbCancel:
            m_data->cancel();
            break;
        }
    });
    updateButtons();
}

void DbNavigator::updateButtons()
{
    const bool active = m_data && m_data->active();
    const bool editing = active && m_data->editing();
    const bool browsing = active && !editing;
    const bool hasRows = active && !m_data->isEmpty();
    const int row = active ? m_data->currentRow() : -1;
    const bool atFirst = !hasRows || row <= 0;
    const bool atLast = !hasRows || row >= m_data->recordCount() - 1;
    m_buttons[nbFirst]->setEnabled(browsing && !atFirst);
    m_buttons[nbPrior]->setEnabled(browsing && !atFirst);
    m_buttons[nbNext]->setEnabled(browsing && !atLast);
    m_buttons[nbLast]->setEnabled(browsing && !atLast);
    m_buttons[nbInsert]->setEnabled(browsing);
    m_buttons[nbDelete]->setEnabled(browsing && hasRows);
    m_buttons[nbEdit]->setEnabled(browsing && hasRows);
    m_buttons[nbPost]->setEnabled(editing);
    m_buttons[nbCancel]->setEnabled(editing);
}

} // namespace pw::till
