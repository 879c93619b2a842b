#pragma once

#include <QDialog>

class QPlainTextEdit;

// A message too long for a message box, such as every problem found in one
// map: its first paragraph above a scrollable list of the rest, and OK.
class CMessageListDialog : public QDialog {
    Q_OBJECT
public:
    CMessageListDialog(const QString& title, const QString& text, QWidget* parent = nullptr);

    QPlainTextEdit* GetList() const { return m_list; }

    // Texts of more lines than this go to this dialog rather than a box.
    static constexpr int kMaxBoxLines = 20;
    static bool NeedsList(const QString& text);

private:
    QPlainTextEdit* m_list;
};
