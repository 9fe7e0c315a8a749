// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "PreferenceStore.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;
namespace Ui {
class Preferences;
}

// The controller of the preferences window, which it loads from its Designer form on first
// show. The store's class methods answer through it too.
class PreferenceController : public QObject, public PreferenceStore
{
    Q_OBJECT

public:
    explicit PreferenceController(QObject *parent = nullptr);
    ~PreferenceController() override;

    // Loads the window if needed, fills it with the values in force and brings it forward,
    // above `clockWindow` when given, which gets the keyboard back when the window closes.
    void showWindow(QWidget *clockWindow = nullptr);
    // Its controls are found by their object names in the form.
    QWidget *window() const { return _window.get(); }

    // What the viewer server is doing: its address, or why it is not serving; while remote
    // commands are stopped, a button takes them again.
    void showViewerStatus(const QString &status, bool commandsStopped = false);
    // The sound outputs to choose from: each one's id and description.
    void showOutputs(const QList<QPair<QString, QString>> &outputs);

    // Each stores its control's value when the operator changes it.
    void toggleOrderWriting();
    void changeOutputDevice();
    void changeVolume();
    void changeLanguage();
    void toggleViewer();

signals:
    // The operator asks to hear the zero cue on the chosen output.
    void soundCheckRequested();
    // The referee takes remote commands again after too many wrong PINs stopped them.
    void remoteCommandsRestartRequested();

private:
    // A text field bound to its preference, with the rule an entry must pass.
    struct Binding;

    void loadWindow();
    void bindFields();
    void showStoredValues();
    // The lists to choose from, in the language in force.
    void showChoices();
    void showOutputDevices();
    void showLanguages();
    void commit(const Binding &binding);
    void reportSave(bool saved);

    bool eventFilter(QObject *watched, QEvent *event) override;

    std::unique_ptr<QWidget> _window;
    std::unique_ptr<Ui::Preferences> _ui;
    QPointer<QWidget> _clockWindow;
    QString _viewerStatus;
    bool _commandsStopped = false;
    QList<QPair<QString, QString>> _outputs;
    std::vector<Binding> _bindings;
    // The check boxes that turn a preference on and off.
    std::vector<std::pair<QCheckBox *, const char *>> _switches;
};
