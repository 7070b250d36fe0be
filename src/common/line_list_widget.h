#pragma once

#include <QListView>
#include <QStringList>

class LineListModel;

// A list of fixed-pitch text lines (Courier New 12, black) for the finder windows. Backed by a model with rows of one
// height and one width, so a hundred thousand lines fill and paint at once; the columns of the lines stay aligned
// and the view scrolls sideways to the longest line.
class LineListWidget : public QListView
{
    Q_OBJECT

public:
    explicit LineListWidget(QWidget* parent = nullptr);

    void setLines(const QStringList& lines);
    const QStringList& lines() const;

    // -1 when no line is selected.
    int currentRow() const;
    // Selects the row and scrolls to it.
    void setCurrentRow(int row);
    // Empty when no line is selected.
    QString currentLine() const;

Q_SIGNALS:
    // A double click on a line, or Enter on the selected line: the keyboard's double click.
    void rowDoubleClicked(int row);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    LineListModel* m_model;
};
