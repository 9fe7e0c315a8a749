#pragma once

#include <QObject>

#include <memory>

class PreferenceController;

// Opens the preferences window, making its controller on first use and keeping it.
class AppController : public QObject
{
    Q_OBJECT

public:
    explicit AppController(QObject *parent = nullptr);
    ~AppController() override;

    PreferenceController *preferenceController() const { return _preferenceController.get(); }

public slots:
    void showPreferencePanel();

private:
    std::unique_ptr<PreferenceController> _preferenceController;
};
