#include "common/line_list_widget.h"

#include <QAbstractListModel>
#include <QFontMetrics>
#include <QKeyEvent>

class LineListModel : public QAbstractListModel
{
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(m_lines.size());
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid() || index.row() >= m_lines.size())
            return {};
        switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            return m_lines[index.row()];
        case Qt::SizeHintRole:
            return m_itemSize;
        case Qt::ForegroundRole:
            return QColor(Qt::black);
        default:
            return {};
        }
    }

    void setLines(const QStringList& lines, const QFont& font)
    {
        beginResetModel();
        m_lines = lines;
        // Every character has the same advance, so the longest line gives the width of every row.
        qsizetype longest = 0;
        for (const QString& line : m_lines)
            longest = std::max(longest, line.size());
        const QFontMetrics metrics(font);
        m_itemSize = QSize(metrics.horizontalAdvance(QLatin1Char('M')) * int(longest) + 8, metrics.height() + 2);
        endResetModel();
    }

    const QStringList& lines() const { return m_lines; }

private:
    QStringList m_lines;
    QSize m_itemSize;
};

LineListWidget::LineListWidget(QWidget* parent) : QListView(parent), m_model(new LineListModel(this))
{
    QFont fixed(QStringLiteral("Courier New"), 12);
    fixed.setStyleHint(QFont::TypeWriter);
    fixed.setFixedPitch(true);
    setFont(fixed);
    QPalette pal = palette();
    pal.setColor(QPalette::Text, Qt::black);
    setPalette(pal);
    setModel(m_model);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(this, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            Q_EMIT rowDoubleClicked(index.row());
    });
}

void LineListWidget::setLines(const QStringList& lines)
{
    m_model->setLines(lines, font());
}

const QStringList& LineListWidget::lines() const
{
    return m_model->lines();
}

int LineListWidget::currentRow() const
{
    const QModelIndexList selected = selectionModel()->selectedIndexes();
    return selected.isEmpty() ? -1 : selected.first().row();
}

void LineListWidget::setCurrentRow(int row)
{
    const QModelIndex index = m_model->index(row, 0);
    if (!index.isValid())
        return;
    setCurrentIndex(index);
    selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

QString LineListWidget::currentLine() const
{
    const int row = currentRow();
    return row < 0 ? QString() : m_model->lines().at(row);
}

void LineListWidget::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && event->modifiers() == Qt::NoModifier) {
        const int row = currentRow();
        if (row >= 0)
            Q_EMIT rowDoubleClicked(row);
        return;
    }
    QListView::keyPressEvent(event);
}
