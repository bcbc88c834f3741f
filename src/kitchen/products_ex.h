#pragma once

#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

// One product to label, with the label texts of the extras that belong to it.
class TProductEx
{
public:
    QString LabelDesc;
    QString Size;
    QStringList Extras;
};

// The products of one order, in print order.
class TProductsEx
{
public:
    TProductEx& Add(const QString& labelDesc, const QString& size);
    int Count() const { return static_cast<int>(m_items.size()); }
    const TProductEx& Items(int index) const { return *m_items.at(static_cast<std::size_t>(index)); }
    TProductEx& Items(int index) { return *m_items.at(static_cast<std::size_t>(index)); }

private:
    std::vector<std::unique_ptr<TProductEx>> m_items;
};
