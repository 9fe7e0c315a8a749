// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPair>
#include <QString>

#include <memory>

class PreferenceController;
class QWidget;

// Opens the preferences window, making its controller on first use and keeping it.
class AppController : public QObject
{
    Q_OBJECT

public:
    explicit AppController(QObject *parent = nullptr);
    ~AppController() override;

    PreferenceController *preferenceController() const { return _preferenceController.get(); }

public slots:
    // Above `clockWindow`, when given, full screen included; closing it gives the keyboard
    // back to that window.
    void showPreferencePanel(QWidget *clockWindow = nullptr);
    // Kept for the window, shown there now or whenever it is made.
    void showViewerStatus(const QString &status, bool commandsStopped = false);
    // Kept for the window likewise: each sound output's id and description.
    void showOutputs(const QList<QPair<QString, QString>> &outputs);

signals:
    void soundCheckRequested();
    void remoteCommandsRestartRequested();

private:
    std::unique_ptr<PreferenceController> _preferenceController;
    QString _viewerStatus;
    bool _commandsStopped = false;
    QList<QPair<QString, QString>> _outputs;
};
