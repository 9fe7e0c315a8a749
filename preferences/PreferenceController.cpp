// SPDX-License-Identifier: GPL-3.0-or-later
#include "PreferenceController.h"

#include "EntryRule.h"
#include "Translations.h"
#include "ui_Preferences.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QWindow>

#include <algorithm>

struct PreferenceController::Binding
{
    QLineEdit *field;
    const char *key;
    EntryVerdict (*rule)(const QString &entry);
    QLabel *message;
    bool isText;
};

PreferenceController::PreferenceController(QObject *parent)
    : QObject(parent)
{
}

PreferenceController::~PreferenceController() = default;

void PreferenceController::showWindow(QWidget *clockWindow)
{
    if (!_window)
        loadWindow();
    _clockWindow = clockWindow;
    // A dialog transient for the clock's window stays above it, even one kept above all
    // others, without that window owning it.
    // Hidden first: the window manager reads whom it belongs to only when it is shown.
    QWindow *owner = clockWindow ? clockWindow->window()->windowHandle() : nullptr;
    if (owner &&
        (!_window->windowHandle() || _window->windowHandle()->transientParent() != owner)) {
        _window->hide();
        _window->winId();
        _window->windowHandle()->setTransientParent(owner);
    }
    showStoredValues();
    _window->show();
    _window->raise();
    _window->activateWindow();
}

bool PreferenceController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == _window.get() && event->type() == QEvent::Hide && _clockWindow) {
        _clockWindow->raise();
        _clockWindow->activateWindow();
    }
    if (watched == _window.get() && event->type() == QEvent::LanguageChange) {
        _ui->retranslateUi(_window.get());
        showChoices();
    }
    return QObject::eventFilter(watched, event);
}

void PreferenceController::loadWindow()
{
    _window = std::make_unique<QWidget>(nullptr, Qt::Dialog);
    _window->installEventFilter(this);
    auto *close = new QAction(_window.get());
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close});
    connect(close, &QAction::triggered, _window.get(), &QWidget::close);
    _window->addAction(close);
    _ui = std::make_unique<Ui::Preferences>();
    _ui->setupUi(_window.get());
    for (QLabel *message :
        {_ui->marquisMessage, _ui->springMessage, _ui->fallMessage, _ui->orderWritingMessage,
            _ui->lastYearMessage, _ui->endTimeMessage, _ui->warningMessage, _ui->viewerPortMessage,
            _ui->viewerPinMessage, _ui->saveMessage}) {
        message->setStyleSheet(QStringLiteral("color: #b00020"));
    }
    _ui->marquisTextField->setMaxLength(maxMarquisTextLength);
    connect(_ui->marquisTextField, &QLineEdit::textChanged, this, [this](const QString &text) {
        _ui->marquisMessage->setText(EntryRule::banner(text).message);
    });
    bindFields();
    connect(_ui->orderWritingCheckBox, &QCheckBox::clicked, this,
        &PreferenceController::toggleOrderWriting);
    connect(_ui->outputDeviceComboBox, &QComboBox::activated, this,
        &PreferenceController::changeOutputDevice);
    connect(
        _ui->languageComboBox, &QComboBox::activated, this, &PreferenceController::changeLanguage);
    connect(_ui->volumeSpinBox, &QSpinBox::valueChanged, this, &PreferenceController::changeVolume);
    connect(_ui->soundCheckButton, &QPushButton::clicked, this,
        &PreferenceController::soundCheckRequested);
    connect(_ui->viewerCheckBox, &QCheckBox::clicked, this, &PreferenceController::toggleViewer);
    connect(_ui->viewerRestartButton, &QPushButton::clicked, this,
        &PreferenceController::remoteCommandsRestartRequested);
}

void PreferenceController::bindFields()
{
    _bindings = {
        {_ui->marquisTextField, CVLDefaultsMarquisTextKey, EntryRule::banner, _ui->marquisMessage,
            true},
        {_ui->springMinutesTextField, CVLDefaultsSpringMinutesKey, EntryRule::minutes,
            _ui->springMessage, false},
        {_ui->fallMinutesTextField, CVLDefaultsFallMinutesKey, EntryRule::minutes, _ui->fallMessage,
            false},
        {_ui->orderWritingMinutesTextField, CVLDefaultsOrderWritingMinutesKey, EntryRule::minutes,
            _ui->orderWritingMessage, false},
        {_ui->lastYearTextField, CVLDefaultsLastYearKey, EntryRule::lastYear, _ui->lastYearMessage,
            false},
        {_ui->endTimeTextField, CVLDefaultsEndTimeKey, EntryRule::timeOfDay, _ui->endTimeMessage,
            true},
        {_ui->warningMinutesTextField, CVLDisplayWarningMinutesKey, EntryRule::warningMinutes,
            _ui->warningMessage, false},
        {_ui->viewerPortTextField, CVLViewerPortKey, EntryRule::port, _ui->viewerPortMessage,
            false},
        {_ui->viewerPinTextField, CVLViewerPinKey, EntryRule::pin, _ui->viewerPinMessage, true},
    };
    for (const Binding &binding : std::as_const(_bindings)) {
        connect(
            binding.field, &QLineEdit::editingFinished, this, [this, binding] { commit(binding); });
    }
    _switches = {{_ui->endByClockCheckBox, CVLDefaultsEndByClockKey},
        {_ui->progressCheckBox, CVLDisplayProgressKey},
        {_ui->warningCheckBox, CVLDisplayWarningKey},
        {_ui->nextPhaseCheckBox, CVLDisplayNextPhaseKey},
        {_ui->timeOfDayCheckBox, CVLDisplayTimeOfDayKey}};
    for (const auto &[box, key] : _switches) {
        connect(box, &QCheckBox::clicked, this,
            [this, key = key](bool on) { reportSave(setIntPreference(key, on ? 1 : 0)); });
    }
}

// A refused entry stays in its field for the operator to mend, and the stored value stays in
// force.
void PreferenceController::commit(const Binding &binding)
{
    if (!binding.field->isModified())
        return;
    const EntryVerdict verdict = binding.rule(binding.field->text());
    binding.message->setText(verdict.message);
    if (!verdict.value.isValid())
        return;
    binding.field->setModified(false);
    reportSave(store(binding.key, verdict.value));
}

void PreferenceController::showStoredValues()
{
    for (const Binding &binding : std::as_const(_bindings)) {
        binding.field->setText(binding.isText ? textPreference(binding.key)
                                              : QString::number(intPreference(binding.key)));
        binding.message->clear();
    }
    _ui->orderWritingCheckBox->setChecked(preferenceUseOrderWriting());
    for (const auto &[box, key] : _switches)
        box->setChecked(intPreference(key) != 0);
    _ui->viewerCheckBox->setChecked(intPreference(CVLViewerEnabledKey) != 0);
    _ui->viewerStatusLabel->setText(_viewerStatus);
    _ui->viewerRestartButton->setVisible(_commandsStopped);
    const QSignalBlocker quiet(_ui->volumeSpinBox);
    _ui->volumeSpinBox->setValue(intPreference(CVLAudioVolumeKey));
    showChoices();
}

void PreferenceController::showChoices()
{
    showOutputDevices();
    showLanguages();
}

// Each language by its own name, after the system's; one not shipped shows as the system's,
// which is what is in force.
void PreferenceController::showLanguages()
{
    QComboBox *box = _ui->languageComboBox;
    box->clear();
    box->addItem(tr("System"), QString());
    for (const Translations::Language &language : Translations::shipped)
        box->addItem(QString::fromUtf8(language.name), QString::fromLatin1(language.code));
    box->setCurrentIndex(std::max(0, box->findData(textPreference(CVLDisplayLanguageKey))));
}

void PreferenceController::changeLanguage()
{
    if (_ui)
        reportSave(setTextPreference(
            CVLDisplayLanguageKey, _ui->languageComboBox->currentData().toString()));
}

// The system default first; a stored device that is gone shows as the default, which is
// what plays.
void PreferenceController::showOutputDevices()
{
    QComboBox *box = _ui->outputDeviceComboBox;
    box->clear();
    box->addItem(tr("System default"), QByteArray());
    for (const auto &[id, description] : _outputs)
        box->addItem(description, id.toUtf8());
    box->setCurrentIndex(std::max(0, box->findData(textPreference(CVLAudioDeviceKey).toUtf8())));
}

void PreferenceController::changeOutputDevice()
{
    if (_ui) {
        const QByteArray id = _ui->outputDeviceComboBox->currentData().toByteArray();
        reportSave(setTextPreference(CVLAudioDeviceKey, QString::fromUtf8(id)));
    }
}

void PreferenceController::changeVolume()
{
    if (_ui)
        reportSave(setIntPreference(CVLAudioVolumeKey, _ui->volumeSpinBox->value()));
}

void PreferenceController::toggleOrderWriting()
{
    // Mixed counts as on; without the check box the flag is off.
    const bool on = _ui && _ui->orderWritingCheckBox->checkState() != Qt::Unchecked;
    reportSave(setPreferenceUseOrderWriting(on));
}

void PreferenceController::reportSave(bool saved)
{
    if (!_ui)
        return;
    _ui->saveMessage->setText(saved ? QString()
                                    : tr("Could not save the preferences to %1: %2. The change "
                                         "lasts until the clock is closed.")
                                          .arg(storePath(), saveProblem()));
}

void PreferenceController::showOutputs(const QList<QPair<QString, QString>> &outputs)
{
    _outputs = outputs;
    if (_ui)
        showOutputDevices();
}

void PreferenceController::showViewerStatus(const QString &status, bool commandsStopped)
{
    _viewerStatus = status;
    _commandsStopped = commandsStopped;
    if (_ui) {
        _ui->viewerStatusLabel->setText(status);
        _ui->viewerRestartButton->setVisible(commandsStopped);
    }
}

// Viewers turned on without a PIN are offered a random one, long enough that guessing does
// not pay; Enter keeps it, an empty field keeps the remote commands off.
void PreferenceController::toggleViewer()
{
    if (!_ui)
        return;
    const bool on = _ui->viewerCheckBox->isChecked();
    reportSave(setIntPreference(CVLViewerEnabledKey, on ? 1 : 0));
    if (!on || !textPreference(CVLViewerPinKey).isEmpty() || _ui->viewerPinTextField->isModified())
        return;
    QString pin;
    for (int i = 0; i < suggestedPinDigits; ++i)
        pin += QChar(u'0' + QRandomGenerator::system()->bounded(10));
    _ui->viewerPinTextField->setText(pin);
    _ui->viewerPinTextField->setModified(true);
    _ui->viewerPinMessage->setText(
        tr("A PIN for remote commands, if you want them: Enter keeps it; empty, none."));
}
