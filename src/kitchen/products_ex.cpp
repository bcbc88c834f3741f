#include "kitchen/products_ex.h"

TProductEx& TProductsEx::Add(const QString& labelDesc, const QString& size)
{
    auto item = std::make_unique<TProductEx>();
    item->LabelDesc = labelDesc;
    item->Size = size;
    m_items.push_back(std::move(item));
    return *m_items.back();
}
