#pragma once

#include "till/editable_query.h"

#include <QPointer>
#include <QToolButton>
#include <QWidget>

namespace pw::till {

enum TNavigateBtn
{
    nbFirst,
    nbPrior,
    nbNext,
    nbLast,
    nbInsert,
    nbDelete,
    nbEdit,
    nbPost,
    nbCancel
};

// The row of buttons that moves through, inserts, deletes and edits the rows of an editable query.
class DbNavigator : public QWidget
{
    Q_OBJECT

public:
    explicit DbNavigator(QWidget* parent = nullptr);

    void setDataSet(EditableQuery* data);
    EditableQuery* dataSet() const { return m_data; }

    QToolButton* button(TNavigateBtn which) const { return m_buttons[which]; }
    // Shows only these buttons, in their fixed order.
    void setVisibleButtons(const QList<TNavigateBtn>& buttons);
    // Captions under the symbols, as wide touch buttons have them.
    void setShowCaptions(bool on);
    void setButtonSize(int width, int height);
    void setConfirmDelete(bool on) { m_confirmDelete = on; }

    // What pressing a button does.
    void BtnClick(TNavigateBtn which);
    void updateButtons();

private:
    QToolButton* m_buttons[nbCancel + 1] = {};
    QPointer<EditableQuery> m_data;
    bool m_confirmDelete = true;
};

} // namespace pw::till
