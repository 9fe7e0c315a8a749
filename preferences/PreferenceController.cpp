#include "PreferenceController.h"

#include "ui_Preferences.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QWindow>

#include <algorithm>
#include <limits>

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
    for (QLabel *message : {_ui->marquisMessage, _ui->springMessage, _ui->fallMessage,
             _ui->orderWritingMessage, _ui->lastYearMessage, _ui->viewerPortMessage,
             _ui->viewerPinMessage, _ui->saveMessage}) {
        message->setStyleSheet(QStringLiteral("color: #b00020"));
    }
    _ui->marquisTextField->setMaxLength(maxMarquisTextLength);
    connect(_ui->marquisTextField, &QLineEdit::textChanged, this, [this](const QString &text) {
        _ui->marquisMessage->setText(text.size() >= maxMarquisTextLength
                ? tr("At most %1 characters").arg(maxMarquisTextLength)
                : QString());
    });
    connect(_ui->marquisTextField, &QLineEdit::editingFinished, this,
        &PreferenceController::changeMarquisText);
    connect(_ui->springMinutesTextField, &QLineEdit::editingFinished, this,
        &PreferenceController::changeSpring);
    connect(_ui->fallMinutesTextField, &QLineEdit::editingFinished, this,
        &PreferenceController::changeFall);
    connect(_ui->orderWritingMinutesTextField, &QLineEdit::editingFinished, this,
        &PreferenceController::changeOrderWritingMinutes);
    connect(_ui->lastYearTextField, &QLineEdit::editingFinished, this,
        &PreferenceController::changeLastYear);
    connect(_ui->orderWritingCheckBox, &QCheckBox::clicked, this,
        &PreferenceController::toggleOrderWriting);
    connect(_ui->outputDeviceComboBox, &QComboBox::activated, this,
        &PreferenceController::changeOutputDevice);
    connect(_ui->volumeSpinBox, &QSpinBox::valueChanged, this, &PreferenceController::changeVolume);
    connect(_ui->soundCheckButton, &QPushButton::clicked, this,
        &PreferenceController::soundCheckRequested);
    connect(_ui->viewerCheckBox, &QCheckBox::clicked, this, &PreferenceController::toggleViewer);
    connect(_ui->viewerPortTextField, &QLineEdit::editingFinished, this,
        &PreferenceController::changeViewerPort);
    connect(_ui->viewerPinTextField, &QLineEdit::editingFinished, this,
        &PreferenceController::changeViewerPin);
    connect(_ui->viewerRestartButton, &QPushButton::clicked, this,
        &PreferenceController::remoteCommandsRestartRequested);
}

void PreferenceController::showStoredValues()
{
    _ui->marquisTextField->setText(preferenceMarquisText());
    _ui->springMinutesTextField->setText(QString::number(preferenceSpringMinutes()));
    _ui->fallMinutesTextField->setText(QString::number(preferenceFallMinutes()));
    _ui->orderWritingMinutesTextField->setText(QString::number(preferenceOrderWritingMinutes()));
    _ui->lastYearTextField->setText(QString::number(preferenceLastYear()));
    _ui->orderWritingCheckBox->setChecked(preferenceUseOrderWriting());
    _ui->viewerCheckBox->setChecked(intPreference(CVLViewerEnabledKey) != 0);
    _ui->viewerPortTextField->setText(QString::number(intPreference(CVLViewerPortKey)));
    _ui->viewerPinTextField->setText(textPreference(CVLViewerPinKey));
    _ui->viewerStatusLabel->setText(_viewerStatus);
    _ui->viewerRestartButton->setVisible(_commandsStopped);
    const QSignalBlocker quiet(_ui->volumeSpinBox);
    _ui->volumeSpinBox->setValue(intPreference(CVLAudioVolumeKey));
    showOutputDevices();
    for (QLabel *message :
        {_ui->marquisMessage, _ui->springMessage, _ui->fallMessage, _ui->orderWritingMessage,
            _ui->lastYearMessage, _ui->viewerPortMessage, _ui->viewerPinMessage})
        message->clear();
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

void PreferenceController::changeMarquisText()
{
    if (_ui && _ui->marquisTextField->isModified()) {
        _ui->marquisTextField->setModified(false);
        reportSave(setPreferenceMarquisText(_ui->marquisTextField->text()));
    }
}

void PreferenceController::changeSpring()
{
    if (_ui)
        changeMinutes(_ui->springMinutesTextField, _ui->springMessage, setPreferenceSpringMinutes);
}

void PreferenceController::changeFall()
{
    if (_ui)
        changeMinutes(_ui->fallMinutesTextField, _ui->fallMessage, setPreferenceFallMinutes);
}

void PreferenceController::changeOrderWritingMinutes()
{
    if (_ui) {
        changeMinutes(_ui->orderWritingMinutesTextField, _ui->orderWritingMessage,
            setPreferenceOrderWritingMinutes);
    }
}

void PreferenceController::changeMinutes(QLineEdit *field, QLabel *message, bool (*setter)(int))
{
    if (!field->isModified())
        return;
    bool whole = false;
    const qlonglong minutes = field->text().trimmed().toLongLong(&whole);
    // The stored length stays in force when an entry is refused; the entry stays for the
    // operator to mend.
    if (!whole) {
        message->setText(tr("Whole minutes only; not saved"));
        return;
    }
    if (minutes < std::numeric_limits<int>::min() || minutes > std::numeric_limits<int>::max()) {
        message->setText(tr("From %1 to %2 minutes only; not saved")
                             .arg(std::numeric_limits<int>::min())
                             .arg(std::numeric_limits<int>::max()));
        return;
    }
    field->setModified(false);
    message->setText(
        minutes <= 0 ? tr("%1 minutes: the phase is skipped").arg(minutes) : QString());
    reportSave(setter(static_cast<int>(minutes)));
}

void PreferenceController::changeLastYear()
{
    if (_ui) {
        changeWholeNumber(_ui->lastYearTextField, _ui->lastYearMessage, CVLDefaultsLastYearKey, 0,
            std::numeric_limits<int>::max(), tr("A game-year, or 0 for no end; not saved"));
    }
}

// Stores a whole number from `lowest` to `highest`; anything else stays in the field for
// the operator to mend, with `refusal` beside it.
void PreferenceController::changeWholeNumber(QLineEdit *field, QLabel *message, const char *key,
    int lowest, int highest, const QString &refusal)
{
    if (!field->isModified())
        return;
    bool whole = false;
    const int value = field->text().trimmed().toInt(&whole);
    if (!whole || value < lowest || value > highest) {
        message->setText(refusal);
        return;
    }
    field->setModified(false);
    message->clear();
    reportSave(setIntPreference(key, value));
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

void PreferenceController::toggleViewer()
{
    if (_ui)
        reportSave(setIntPreference(CVLViewerEnabledKey, _ui->viewerCheckBox->isChecked() ? 1 : 0));
}

void PreferenceController::changeViewerPort()
{
    if (_ui) {
        changeWholeNumber(_ui->viewerPortTextField, _ui->viewerPortMessage, CVLViewerPortKey,
            lowestPort, highestPort,
            tr("A port from %1 to %2; not saved").arg(lowestPort).arg(highestPort));
    }
}

void PreferenceController::changeViewerPin()
{
    QLineEdit *field = _ui ? _ui->viewerPinTextField : nullptr;
    if (!field || !field->isModified())
        return;
    const QString pin = field->text().trimmed();
    if (!isAcceptablePin(pin)) {
        _ui->viewerPinMessage->setText(tr("4 to 8 digits, or empty for none; not saved"));
        return;
    }
    field->setModified(false);
    _ui->viewerPinMessage->clear();
    reportSave(setTextPreference(CVLViewerPinKey, pin));
}
