<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>A countdown clock for the referee of a negotiation board game tournament.</source>
        <translation>Eine Countdown-Uhr für die Turnierleitung eines Verhandlungsbrettspiels.</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Zeigt diese Hilfe an.</translation>
    </message>
    <message>
        <source>Start in full screen.</source>
        <translation>Im Vollbild starten.</translation>
    </message>
    <message>
        <source>Start a new game at Spring 1901 instead of resuming the kept one, which is set aside as MervaneTimer.state.previous.</source>
        <translation>Ein neues Spiel ab Frühjahr 1901 beginnen, statt das gespeicherte fortzusetzen; dieses wird als MervaneTimer.state.previous beiseitegelegt.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Unerwartetes Argument „%1“.</translation>
    </message>
    <message>
        <source>MervaneTimer: cannot open a display; run it on a desktop session, or under a virtual X server: xvfb-run MervaneTimer
</source>
        <translation>MervaneTimer: Keine Anzeige verfügbar; in einer Desktop-Sitzung starten oder unter einem virtuellen X-Server: xvfb-run MervaneTimer
</translation>
    </message>
</context>
<context>
    <name>CountdownTimer</name>
    <message>
        <source>End of game %1</source>
        <translation>Spielende %1</translation>
    </message>
</context>
<context>
    <name>EntryRule</name>
    <message>
        <source>At most %1 characters</source>
        <translation>Höchstens %1 Zeichen</translation>
    </message>
    <message>
        <source>Whole minutes only; not saved</source>
        <translation>Nur ganze Minuten; nicht gespeichert</translation>
    </message>
    <message>
        <source>From %1 to %2 minutes only; not saved</source>
        <translation>Nur %1 bis %2 Minuten; nicht gespeichert</translation>
    </message>
    <message>
        <source>%1 minutes: the phase is skipped</source>
        <translation>%1 Minuten: Die Phase wird übersprungen</translation>
    </message>
    <message>
        <source>A game-year, or 0 for no end; not saved</source>
        <translation>Ein Spieljahr oder 0 für kein Ende; nicht gespeichert</translation>
    </message>
    <message>
        <source>A port from %1 to %2; not saved</source>
        <translation>Ein Port von %1 bis %2; nicht gespeichert</translation>
    </message>
    <message>
        <source>Whole minutes from 0 (none) to %1; not saved</source>
        <translation>Ganze Minuten von 0 (keine) bis %1; nicht gespeichert</translation>
    </message>
    <message>
        <source>A time of day such as 18:30; not saved</source>
        <translation>Eine Uhrzeit wie 18:30; nicht gespeichert</translation>
    </message>
    <message>
        <source>4 to 8 digits, or empty for none; not saved</source>
        <translation>4 bis 8 Ziffern oder leer für keine; nicht gespeichert</translation>
    </message>
</context>
<context>
    <name>GameRecorder</name>
    <message>
        <source>MervaneTimer: not resuming the game in %1: %2; kept as %3</source>
        <translation>MervaneTimer: Das Spiel in %1 wird nicht fortgesetzt: %2; aufbewahrt als %3</translation>
    </message>
</context>
<context>
    <name>GameStateFile</name>
    <message>
        <source>it cannot be read as a small regular file</source>
        <translation>sie lässt sich nicht als kleine reguläre Datei lesen</translation>
    </message>
    <message>
        <source>it does not hold a whole game</source>
        <translation>sie enthält kein vollständiges Spiel</translation>
    </message>
    <message>
        <source>it was saved in the future</source>
        <translation>sie wurde in der Zukunft gespeichert</translation>
    </message>
</context>
<context>
    <name>GuestAdmission</name>
    <message>
        <source>Port %1 cannot be used: %2</source>
        <translation>Port %1 ist nicht nutzbar: %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Clock</source>
        <translation>&amp;Uhr</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;About MervaneTimer</source>
        <translation>&amp;Über MervaneTimer</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Fortsetzen</translation>
    </message>
    <message>
        <source>Pause &amp;or Continue</source>
        <translation>Pause &amp;oder Fortsetzen</translation>
    </message>
    <message>
        <source>&amp;Next Phase</source>
        <translation>&amp;Nächste Phase</translation>
    </message>
    <message>
        <source>P&amp;revious Phase</source>
        <translation>&amp;Vorherige Phase</translation>
    </message>
    <message>
        <source>&amp;New Game...</source>
        <translation>Neues &amp;Spiel...</translation>
    </message>
    <message>
        <source>Play Cue</source>
        <translation>Signal abspielen</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>Vo&amp;llbild</translation>
    </message>
    <message>
        <source>Show &amp;Viewer Address</source>
        <translation>&amp;Zuschauer-Adresse anzeigen</translation>
    </message>
    <message>
        <source>Pre&amp;ferences...</source>
        <translation>&amp;Einstellungen...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>About MervaneTimer</source>
        <translation>Über MervaneTimer</translation>
    </message>
    <message>
        <source>MervaneTimer %1: a countdown clock for the referee of a negotiation board game tournament.

Free software under the GNU General Public License, version 3 or (at your option) any later version: you may share and change it under its terms. It comes with no warranty.</source>
        <translation>MervaneTimer %1: eine Countdown-Uhr für die Turnierleitung eines Verhandlungsbrettspiels.

Freie Software unter der GNU General Public License, Version 3 oder (nach Ihrer Wahl) jeder späteren Version: Sie dürfen sie unter deren Bedingungen weitergeben und verändern. Sie wird ohne jede Gewährleistung bereitgestellt.</translation>
    </message>
</context>
<context>
    <name>MervaneTimerAppDelegate</name>
    <message>
        <source>%1 - resumed, clock was down %2</source>
        <translation>%1 - fortgesetzt, Uhr war %2 aus</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Neues Spiel</translation>
    </message>
    <message>
        <source>Start a new game at Spring 1901? The game on the clock ends.</source>
        <translation>Neues Spiel ab Frühjahr 1901 beginnen? Das laufende Spiel endet.</translation>
    </message>
</context>
<context>
    <name>Phase</name>
    <message>
        <source>Fall (Orders) %1</source>
        <translation>Herbst (Befehle) %1</translation>
    </message>
    <message>
        <source>Fall %1</source>
        <translation>Herbst %1</translation>
    </message>
    <message>
        <source>Spring (Orders) %1</source>
        <translation>Frühjahr (Befehle) %1</translation>
    </message>
    <message>
        <source>Spring %1</source>
        <translation>Frühjahr %1</translation>
    </message>
</context>
<context>
    <name>PhaseOutlook</name>
    <message>
        <source>Last phase of the game</source>
        <translation>Letzte Spielphase</translation>
    </message>
    <message>
        <source>%1 · %2 min</source>
        <translation>%1 · %2 min</translation>
    </message>
    <message>
        <source>Last game-year: %1</source>
        <translation>Letztes Spieljahr: %1</translation>
    </message>
</context>
<context>
    <name>PreferenceController</name>
    <message>
        <source>System</source>
        <translation>System</translation>
    </message>
    <message>
        <source>System default</source>
        <translation>Systemstandard</translation>
    </message>
    <message>
        <source>Could not save the preferences to %1: %2. The change lasts until the clock is closed.</source>
        <translation>Die Einstellungen konnten nicht in %1 gespeichert werden: %2. Die Änderung gilt, bis die Uhr geschlossen wird.</translation>
    </message>
    <message>
        <source>A PIN for remote commands, if you want them: Enter keeps it; empty, none.</source>
        <translation>Eine PIN für die Fernsteuerung, falls gewünscht: Eingabetaste übernimmt sie; leer: keine.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>MervaneTimer Preferences</source>
        <translation>MervaneTimer-Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Banner text:</source>
        <translation>&amp;Bannertext:</translation>
    </message>
    <message>
        <source>&amp;Spring (minutes):</source>
        <translation>&amp;Frühjahr (Minuten):</translation>
    </message>
    <message>
        <source>&amp;Fall (minutes):</source>
        <translation>&amp;Herbst (Minuten):</translation>
    </message>
    <message>
        <source>&amp;Orders (minutes):</source>
        <translation>Bef&amp;ehle (Minuten):</translation>
    </message>
    <message>
        <source>&amp;Last game-year (0: none):</source>
        <translation>&amp;Letztes Spieljahr (0: keins):</translation>
    </message>
    <message>
        <source>No new game-year a&amp;fter:</source>
        <translation>Kein neues Spieljahr n&amp;ach:</translation>
    </message>
    <message>
        <source>&amp;Write orders after each negotiation</source>
        <translation>Nach jeder Verhandlung Befehle &amp;schreiben</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Anzeige</translation>
    </message>
    <message>
        <source>&amp;Band of the phase&apos;s time gone</source>
        <translation>Bal&amp;ken für die verstrichene Phasenzeit</translation>
    </message>
    <message>
        <source>&amp;Warning stage, minutes before the end:</source>
        <translation>&amp;Warnstufe, Minuten vor dem Ende:</translation>
    </message>
    <message>
        <source>Line naming the ne&amp;xt phase</source>
        <translation>Zeile mit der nä&amp;chsten Phase</translation>
    </message>
    <message>
        <source>&amp;Time of day</source>
        <translation>&amp;Uhrzeit</translation>
    </message>
    <message>
        <source>Lan&amp;guage:</source>
        <translation>Sp&amp;rache:</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Ton</translation>
    </message>
    <message>
        <source>O&amp;utput:</source>
        <translation>Aus&amp;gabe:</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>Lau&amp;tstärke:</translation>
    </message>
    <message>
        <source>Sound &amp;check</source>
        <translation>T&amp;ontest</translation>
    </message>
    <message>
        <source>Viewers on phones and screens</source>
        <translation>Zuschauer auf Handys und Bildschirmen</translation>
    </message>
    <message>
        <source>Serve the clock on the local &amp;network</source>
        <translation>Uhr im lokalen &amp;Netzwerk bereitstellen</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>Control P&amp;IN (4-8 digits, empty: none):</source>
        <translation>Steuer-P&amp;IN (4-8 Ziffern, leer: keine):</translation>
    </message>
    <message>
        <source>Take remote commands &amp;again</source>
        <translation>Fernsteuerung wie&amp;der zulassen</translation>
    </message>
</context>
<context>
    <name>StoreFile</name>
    <message>
        <source>it is not a regular file</source>
        <translation>sie ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>sie ist größer als %1 KB</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>sie ist nicht lesbar</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>the file or its folder is not writable</source>
        <translation>die Datei oder ihr Ordner ist nicht beschreibbar</translation>
    </message>
    <message>
        <source>what was written did not read back whole</source>
        <translation>das Geschriebene ließ sich nicht vollständig zurücklesen</translation>
    </message>
    <message>
        <source>MervaneTimer: not reading the preferences in %1: %2; the defaults apply</source>
        <translation>MervaneTimer: Die Einstellungen in %1 werden nicht gelesen: %2; es gelten die Standardwerte</translation>
    </message>
</context>
<context>
    <name>ViewerServer</name>
    <message>
        <source>Only JSON text messages are understood</source>
        <translation>Nur JSON-Textnachrichten werden verstanden</translation>
    </message>
    <message>
        <source>This clock already has %1 viewers; try again later</source>
        <translation>Diese Uhr hat schon %1 Zuschauer; bitte später erneut versuchen</translation>
    </message>
    <message>
        <source>Not a JSON object</source>
        <translation>Kein JSON-Objekt</translation>
    </message>
    <message>
        <source>Unknown message type</source>
        <translation>Unbekannter Nachrichtentyp</translation>
    </message>
    <message>
        <source>Unknown command</source>
        <translation>Unbekanntes Kommando</translation>
    </message>
    <message>
        <source>This clock takes no remote commands</source>
        <translation>Diese Uhr lässt keine Fernsteuerung zu</translation>
    </message>
    <message>
        <source>Too many wrong PINs; try again in %1 s</source>
        <translation>Zu viele falsche PINs; erneut versuchen in %1 s</translation>
    </message>
    <message>
        <source>Remote commands are stopped after too many wrong PINs; the referee can turn them on again</source>
        <translation>Fernsteuerung nach zu vielen falschen PINs gesperrt; die Turnierleitung kann sie wieder freigeben</translation>
    </message>
    <message>
        <source>Too many commands; wait a moment</source>
        <translation>Zu viele Kommandos; bitte kurz warten</translation>
    </message>
    <message>
        <source>Wrong PIN</source>
        <translation>Falsche PIN</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Fortsetzen</translation>
    </message>
    <message>
        <source>Next phase</source>
        <translation>Nächste Phase</translation>
    </message>
</context>
<context>
    <name>ViewerService</name>
    <message>
        <source>Viewers are off.</source>
        <translation>Zuschaueransicht ist aus.</translation>
    </message>
    <message>
        <source>Port %1 is not a port from %2 to %3</source>
        <translation>Port %1 ist kein Port von %2 bis %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address of this computer</source>
        <translation>„%1“ ist keine Adresse dieses Computers</translation>
    </message>
    <message>
        <source>Viewers are off: %1.</source>
        <translation>Zuschaueransicht ist aus: %1.</translation>
    </message>
    <message>
        <source>Players open %1 (viewers now: %2)</source>
        <translation>Spieler öffnen %1 (Zuschauer jetzt: %2)</translation>
    </message>
    <message>
        <source>Remote commands are stopped: %1 wrong PINs came since the PIN was set, so someone may be guessing. Turn them on again once that is sorted out.</source>
        <translation>Fernsteuerung gesperrt: Seit dem Setzen der PIN kamen %1 falsche PINs, vielleicht rät jemand. Geben Sie sie wieder frei, sobald das geklärt ist.</translation>
    </message>
    <message>
        <source>Wrong PINs so far: %1 of the %2 that stop remote commands.</source>
        <translation>Falsche PINs bisher: %1 von %2, ab denen die Fernsteuerung gesperrt wird.</translation>
    </message>
    <message>
        <source>With %1 digits, those guesses find the PIN once in %2 tries; with %3 digits, once in %4.</source>
        <translation>Bei %1 Ziffern treffen solche Rateversuche die PIN einmal in %2 Versuchen; bei %3 Ziffern einmal in %4.</translation>
    </message>
</context>
<context>
    <name>ViewerState</name>
    <message>
        <source>connection lost</source>
        <translation>Verbindung verloren</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Steuern</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>Control PIN</source>
        <translation>Steuer-PIN</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Ton an</translation>
    </message>
    <message>
        <source>Sound off</source>
        <translation>Ton aus</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>MervaneTimer: cannot set the kept game in %1 aside as %2 (%3); resuming it</source>
        <translation>MervaneTimer: Das gespeicherte Spiel in %1 kann nicht als %2 beiseitegelegt werden (%3); es wird fortgesetzt</translation>
    </message>
</context>
</TS>
