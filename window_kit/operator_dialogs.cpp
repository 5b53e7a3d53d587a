#include "window_kit/operator_dialogs.h"

#include "window_kit/app_identity.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace windowkit {

QString printingProblemMessage() { return QStringLiteral("There was a problem printing.  Please check your printer."); }

ModalDialogs::ModalDialogs(QWidget* parent, QFileDialog* fileDialog) : parent(parent), fileDialog(fileDialog) {}

void ModalDialogs::tell(const QString& message)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), message, QMessageBox::Ok, parent);
    box.exec();
}

bool ModalDialogs::askYesNo(const QString& question)
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), question, QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

QString ModalDialogs::askText(const QString& prompt)
{
    QInputDialog input(parent);
    input.setWindowTitle(applicationTitle());
    input.setLabelText(prompt);
    input.setInputMode(QInputDialog::TextInput);
    input.setTextValue(QString());
    if (input.exec() != QDialog::Accepted)
        return {};
    return input.textValue();
}

std::optional<QString> ModalDialogs::askFileName(const QString& fileType, const QString& pattern)
{
    QFileDialog& dialog = *fileDialog;
    // The open form, yet any name is taken: a chart usually goes to a new
    // file, and an existing one is replaced without a question. A desktop's
    // native open dialog would refuse names that do not exist yet.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString());
    // The type is shown by its name alone; its pattern still filters.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setNameFilter(QStringLiteral("%1 (%2)").arg(fileType, pattern));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.first().isEmpty())
        return std::nullopt;
    return chosen.first();
}

} // namespace windowkit
