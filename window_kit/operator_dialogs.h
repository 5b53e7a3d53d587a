#pragma once

// Every modal question the program puts to the operator, and every message
// it shows, goes through this one interface. The program answers it with
// the toolkit's own dialogs (ModalDialogs); a test answers it itself.

#include <QString>
#include <QtGlobal>

#include <optional>

class QFileDialog;
class QWidget;

namespace windowkit {

class OperatorDialogs {
public:
    OperatorDialogs() = default;
    Q_DISABLE_COPY_MOVE(OperatorDialogs)
    virtual ~OperatorDialogs() = default;

    // A message with an OK button only and no icon, under the program's
    // title; returns when the operator has closed it.
    virtual void tell(const QString& message) = 0;
    // A question with Yes and No, Yes the default, no icon; true for Yes.
    virtual bool askYesNo(const QString& question) = 0;
    // An input box with the prompt and an empty answer field; the answer,
    // or empty text on Cancel.
    virtual QString askText(const QString& prompt) = 0;
    // The file dialog in its open form, showing one file type; the chosen
    // path exactly as given, or nothing on Cancel.
    virtual std::optional<QString> askFileName(const QString& fileType, const QString& pattern) = 0;
};

// What the operator is told when a printout cannot be made, whichever
// printout it was.
QString printingProblemMessage();

// The toolkit's modal dialogs, over `parent`; the file dialog is the
// window's own component, set up afresh for every question.
class ModalDialogs final : public OperatorDialogs {
public:
    ModalDialogs(QWidget* parent, QFileDialog* fileDialog);

    void tell(const QString& message) override;
    bool askYesNo(const QString& question) override;
    QString askText(const QString& prompt) override;
    std::optional<QString> askFileName(const QString& fileType, const QString& pattern) override;

private:
    QWidget* parent;
    QFileDialog* fileDialog;
};

} // namespace windowkit
