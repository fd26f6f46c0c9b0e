#include "ui/MainWindowView.h"

#include <QScrollBar>
#include <QTextCursor>

namespace pb {

void MainWindowView::appendProgress(const QString& text, bool moveCaret)
{
    // The text is one run of characters with CR LF line ends, so insert it at
    // the end as typed text rather than as a new paragraph.
    QPlainTextEdit* progress = window_.TxtProgress();
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    QTextCursor end(progress->document());
    end.movePosition(QTextCursor::End);
    end.insertText(shown);
    if (moveCaret) {
        progress->setTextCursor(end);
        progress->ensureCursorVisible();
    }
}

} // namespace pb
