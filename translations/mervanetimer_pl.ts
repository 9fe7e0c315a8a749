<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl_PL" sourcelanguage="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>A countdown clock for the referee of a negotiation board game tournament.</source>
        <translation>Zegar odliczający czas dla sędziego turnieju negocjacyjnej gry planszowej.</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Wyświetla tę pomoc.</translation>
    </message>
    <message>
        <source>Start in full screen.</source>
        <translation>Uruchom na pełnym ekranie.</translation>
    </message>
    <message>
        <source>Start a new game at Spring 1901 instead of resuming the kept one, which is set aside as MervaneTimer.state.previous.</source>
        <translation>Zacznij nową grę od Wiosny 1901 zamiast wznawiać zachowaną, która zostanie odłożona jako MervaneTimer.state.previous.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Nieoczekiwany argument „%1”.</translation>
    </message>
    <message>
        <source>MervaneTimer: cannot open a display; run it on a desktop session, or under a virtual X server: xvfb-run MervaneTimer
</source>
        <translation>MervaneTimer: nie można otworzyć ekranu; uruchom program w sesji pulpitu albo w wirtualnym serwerze X: xvfb-run MervaneTimer
</translation>
    </message>
</context>
<context>
    <name>CountdownTimer</name>
    <message>
        <source>End of game %1</source>
        <translation>Koniec gry %1</translation>
    </message>
</context>
<context>
    <name>EntryRule</name>
    <message>
        <source>At most %1 characters</source>
        <translation>Maksymalna liczba znaków: %1</translation>
    </message>
    <message>
        <source>Whole minutes only; not saved</source>
        <translation>Tylko pełne minuty; nie zapisano</translation>
    </message>
    <message>
        <source>From %1 to %2 minutes only; not saved</source>
        <translation>Tylko od %1 do %2 minut; nie zapisano</translation>
    </message>
    <message>
        <source>%1 minutes: the phase is skipped</source>
        <translation>%1 min: faza zostaje pominięta</translation>
    </message>
    <message>
        <source>A game-year, or 0 for no end; not saved</source>
        <translation>Rok gry lub 0, jeśli bez końca; nie zapisano</translation>
    </message>
    <message>
        <source>A port from %1 to %2; not saved</source>
        <translation>Port od %1 do %2; nie zapisano</translation>
    </message>
    <message>
        <source>Whole minutes from 0 (none) to %1; not saved</source>
        <translation>Pełne minuty od 0 (brak) do %1; nie zapisano</translation>
    </message>
    <message>
        <source>A time of day such as 18:30; not saved</source>
        <translation>Godzina, np. 18:30; nie zapisano</translation>
    </message>
    <message>
        <source>4 to 8 digits, or empty for none; not saved</source>
        <translation>Od 4 do 8 cyfr lub puste, jeśli bez PIN-u; nie zapisano</translation>
    </message>
</context>
<context>
    <name>GameRecorder</name>
    <message>
        <source>MervaneTimer: not resuming the game in %1: %2; kept as %3</source>
        <translation>MervaneTimer: gra z %1 nie zostanie wznowiona: %2; zachowano ją jako %3</translation>
    </message>
</context>
<context>
    <name>GameStateFile</name>
    <message>
        <source>it cannot be read as a small regular file</source>
        <translation>nie da się go odczytać jako małego zwykłego pliku</translation>
    </message>
    <message>
        <source>it does not hold a whole game</source>
        <translation>nie zawiera całej gry</translation>
    </message>
    <message>
        <source>it was saved in the future</source>
        <translation>został zapisany w przyszłości</translation>
    </message>
</context>
<context>
    <name>GuestAdmission</name>
    <message>
        <source>Port %1 cannot be used: %2</source>
        <translation>Nie można użyć portu %1: %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Clock</source>
        <translation>&amp;Zegar</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Pomo&amp;c</translation>
    </message>
    <message>
        <source>&amp;About MervaneTimer</source>
        <translation>&amp;O programie MervaneTimer</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Wstrzymaj</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Kontynuuj</translation>
    </message>
    <message>
        <source>Pause &amp;or Continue</source>
        <translation>Wstrzymaj &amp;lub kontynuuj</translation>
    </message>
    <message>
        <source>&amp;Next Phase</source>
        <translation>&amp;Następna faza</translation>
    </message>
    <message>
        <source>P&amp;revious Phase</source>
        <translation>&amp;Poprzednia faza</translation>
    </message>
    <message>
        <source>&amp;New Game...</source>
        <translation>Nowa &amp;gra...</translation>
    </message>
    <message>
        <source>Play Cue</source>
        <translation>Odtwórz sygnał</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>Pełny &amp;ekran</translation>
    </message>
    <message>
        <source>Show &amp;Viewer Address</source>
        <translation>Pokaż &amp;adres dla widzów</translation>
    </message>
    <message>
        <source>Pre&amp;ferences...</source>
        <translation>Pre&amp;ferencje...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Zakończ</translation>
    </message>
    <message>
        <source>About MervaneTimer</source>
        <translation>O programie MervaneTimer</translation>
    </message>
    <message>
        <source>MervaneTimer %1: a countdown clock for the referee of a negotiation board game tournament.

Free software under the GNU General Public License, version 3 or (at your option) any later version: you may share and change it under its terms. It comes with no warranty.</source>
        <translation>MervaneTimer %1: zegar odliczający czas dla sędziego turnieju negocjacyjnej gry planszowej.

Wolne oprogramowanie na licencji GNU General Public License w wersji 3 lub (według uznania) dowolnej późniejszej: możesz je udostępniać i zmieniać na jej warunkach. Nie jest objęte żadną gwarancją.</translation>
    </message>
</context>
<context>
    <name>MervaneTimerAppDelegate</name>
    <message>
        <source>%1 - resumed, clock was down %2</source>
        <translation>%1 - wznowiono po przestoju %2</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Nowa gra</translation>
    </message>
    <message>
        <source>Start a new game at Spring 1901? The game on the clock ends.</source>
        <translation>Zacząć nową grę od Wiosny 1901? Bieżąca gra zostanie zakończona.</translation>
    </message>
</context>
<context>
    <name>Phase</name>
    <message>
        <source>Fall (Orders) %1</source>
        <translation>Jesień (Rozkazy) %1</translation>
    </message>
    <message>
        <source>Fall %1</source>
        <translation>Jesień %1</translation>
    </message>
    <message>
        <source>Spring (Orders) %1</source>
        <translation>Wiosna (Rozkazy) %1</translation>
    </message>
    <message>
        <source>Spring %1</source>
        <translation>Wiosna %1</translation>
    </message>
</context>
<context>
    <name>PhaseOutlook</name>
    <message>
        <source>Last phase of the game</source>
        <translation>Ostatnia faza gry</translation>
    </message>
    <message>
        <source>%1 · %2 min</source>
        <translation>%1 · %2 min</translation>
    </message>
    <message>
        <source>Last game-year: %1</source>
        <translation>Ostatni rok gry: %1</translation>
    </message>
</context>
<context>
    <name>PreferenceController</name>
    <message>
        <source>System</source>
        <translation>Systemowy</translation>
    </message>
    <message>
        <source>System default</source>
        <translation>Domyślne systemowe</translation>
    </message>
    <message>
        <source>Could not save the preferences to %1: %2. The change lasts until the clock is closed.</source>
        <translation>Nie udało się zapisać preferencji w %1: %2. Zmiana obowiązuje do zamknięcia zegara.</translation>
    </message>
    <message>
        <source>A PIN for remote commands, if you want them: Enter keeps it; empty, none.</source>
        <translation>PIN do zdalnych poleceń, jeśli ich chcesz: Enter go zachowuje; puste pole – bez poleceń.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>MervaneTimer Preferences</source>
        <translation>Preferencje MervaneTimer</translation>
    </message>
    <message>
        <source>&amp;Banner text:</source>
        <translation>Tekst &amp;banera:</translation>
    </message>
    <message>
        <source>&amp;Spring (minutes):</source>
        <translation>&amp;Wiosna (minuty):</translation>
    </message>
    <message>
        <source>&amp;Fall (minutes):</source>
        <translation>&amp;Jesień (minuty):</translation>
    </message>
    <message>
        <source>&amp;Orders (minutes):</source>
        <translation>&amp;Rozkazy (minuty):</translation>
    </message>
    <message>
        <source>&amp;Last game-year (0: none):</source>
        <translation>&amp;Ostatni rok gry (0: brak):</translation>
    </message>
    <message>
        <source>No new game-year a&amp;fter:</source>
        <translation>&amp;Nie zaczynaj nowego roku gry po:</translation>
    </message>
    <message>
        <source>&amp;Write orders after each negotiation</source>
        <translation>&amp;Faza rozkazów po każdych negocjacjach</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Wyświetlanie</translation>
    </message>
    <message>
        <source>&amp;Band of the phase&apos;s time gone</source>
        <translation>Pasek &amp;upływu czasu fazy</translation>
    </message>
    <message>
        <source>&amp;Warning stage, minutes before the end:</source>
        <translation>Ostrz&amp;eżenie, minuty przed końcem:</translation>
    </message>
    <message>
        <source>Line naming the ne&amp;xt phase</source>
        <translation>Wiersz z następną f&amp;azą</translation>
    </message>
    <message>
        <source>&amp;Time of day</source>
        <translation>Aktualna go&amp;dzina</translation>
    </message>
    <message>
        <source>Lan&amp;guage:</source>
        <translation>Języ&amp;k:</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Dźwięk</translation>
    </message>
    <message>
        <source>O&amp;utput:</source>
        <translation>Wyjś&amp;cie:</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>&amp;Głośność:</translation>
    </message>
    <message>
        <source>Sound &amp;check</source>
        <translation>&amp;Test dźwięku</translation>
    </message>
    <message>
        <source>Viewers on phones and screens</source>
        <translation>Podgląd na telefonach i ekranach</translation>
    </message>
    <message>
        <source>Serve the clock on the local &amp;network</source>
        <translation>Udostępniaj zegar w &amp;sieci lokalnej</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>Control P&amp;IN (4-8 digits, empty: none):</source>
        <translation>P&amp;IN sterowania (4-8 cyfr, puste: brak):</translation>
    </message>
    <message>
        <source>Take remote commands &amp;again</source>
        <translation>&amp;Znów przyjmuj zdalne polecenia</translation>
    </message>
</context>
<context>
    <name>StoreFile</name>
    <message>
        <source>it is not a regular file</source>
        <translation>nie jest zwykłym plikiem</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>jest większy niż %1 KB</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>nie da się go odczytać</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>dysk jest pełny</translation>
    </message>
    <message>
        <source>the file or its folder is not writable</source>
        <translation>brak prawa zapisu do pliku lub jego folderu</translation>
    </message>
    <message>
        <source>what was written did not read back whole</source>
        <translation>zapisanej treści nie udało się odczytać w całości</translation>
    </message>
    <message>
        <source>MervaneTimer: not reading the preferences in %1: %2; the defaults apply</source>
        <translation>MervaneTimer: nie wczytano preferencji z %1: %2; obowiązują wartości domyślne</translation>
    </message>
</context>
<context>
    <name>ViewerServer</name>
    <message>
        <source>Only JSON text messages are understood</source>
        <translation>Rozumiane są tylko wiadomości tekstowe JSON</translation>
    </message>
    <message>
        <source>This clock already has %1 viewers; try again later</source>
        <translation>Ten zegar ma już komplet widzów (%1); spróbuj później</translation>
    </message>
    <message>
        <source>Not a JSON object</source>
        <translation>To nie jest obiekt JSON</translation>
    </message>
    <message>
        <source>Unknown message type</source>
        <translation>Nieznany typ wiadomości</translation>
    </message>
    <message>
        <source>Unknown command</source>
        <translation>Nieznane polecenie</translation>
    </message>
    <message>
        <source>This clock takes no remote commands</source>
        <translation>Ten zegar nie przyjmuje zdalnych poleceń</translation>
    </message>
    <message>
        <source>Too many wrong PINs; try again in %1 s</source>
        <translation>Za dużo błędnych PIN-ów; spróbuj ponownie za %1 s</translation>
    </message>
    <message>
        <source>Remote commands are stopped after too many wrong PINs; the referee can turn them on again</source>
        <translation>Zdalne polecenia wstrzymano po zbyt wielu błędnych PIN-ach; sędzia może je ponownie włączyć</translation>
    </message>
    <message>
        <source>Too many commands; wait a moment</source>
        <translation>Za dużo poleceń; poczekaj chwilę</translation>
    </message>
    <message>
        <source>Wrong PIN</source>
        <translation>Błędny PIN</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Wstrzymaj</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Kontynuuj</translation>
    </message>
    <message>
        <source>Next phase</source>
        <translation>Następna faza</translation>
    </message>
</context>
<context>
    <name>ViewerService</name>
    <message>
        <source>Viewers are off.</source>
        <translation>Podgląd wyłączony.</translation>
    </message>
    <message>
        <source>Port %1 is not a port from %2 to %3</source>
        <translation>Port %1 nie mieści się w zakresie od %2 do %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address of this computer</source>
        <translation>„%1” nie jest adresem tego komputera</translation>
    </message>
    <message>
        <source>Viewers are off: %1.</source>
        <translation>Podgląd wyłączony: %1.</translation>
    </message>
    <message>
        <source>Players open %1 (viewers now: %2)</source>
        <translation>Gracze otwierają %1 (widzów teraz: %2)</translation>
    </message>
    <message>
        <source>Remote commands are stopped: %1 wrong PINs came since the PIN was set, so someone may be guessing. Turn them on again once that is sorted out.</source>
        <translation>Zdalne polecenia wstrzymano: od ustawienia PIN-u liczba błędnych PIN-ów doszła do %1, więc ktoś może zgadywać. Włącz je ponownie, gdy sprawa się wyjaśni.</translation>
    </message>
    <message>
        <source>Wrong PINs so far: %1 of the %2 that stop remote commands.</source>
        <translation>Błędne PIN-y: %1 z %2, po których zdalne polecenia zostają wstrzymane.</translation>
    </message>
    <message>
        <source>With %1 digits, those guesses find the PIN once in %2 tries; with %3 digits, once in %4.</source>
        <translation>Przy PIN-ie %1-cyfrowym takie próby trafiają raz na %2; przy %3-cyfrowym raz na %4.</translation>
    </message>
</context>
<context>
    <name>ViewerState</name>
    <message>
        <source>connection lost</source>
        <translation>brak połączenia</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Sterowanie</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>Control PIN</source>
        <translation>PIN sterowania</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Dźwięk włączony</translation>
    </message>
    <message>
        <source>Sound off</source>
        <translation>Dźwięk wyłączony</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>MervaneTimer: cannot set the kept game in %1 aside as %2 (%3); resuming it</source>
        <translation>MervaneTimer: nie można odłożyć zachowanej gry z %1 jako %2 (%3); zostaje wznowiona</translation>
    </message>
</context>
</TS>
