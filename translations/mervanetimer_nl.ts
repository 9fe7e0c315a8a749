<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="nl_NL" sourcelanguage="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>A countdown clock for the referee of a negotiation board game tournament.</source>
        <translation>Een aftelklok voor de wedstrijdleiding van een toernooi in een onderhandelingsbordspel.</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Toont deze hulp.</translation>
    </message>
    <message>
        <source>Start in full screen.</source>
        <translation>In volledig scherm starten.</translation>
    </message>
    <message>
        <source>Start a new game at Spring 1901 instead of resuming the kept one, which is set aside as MervaneTimer.state.previous.</source>
        <translation>Een nieuw spel beginnen in Lente 1901 in plaats van het bewaarde spel te hervatten; dat wordt opzijgezet als MervaneTimer.state.previous.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Onverwacht argument &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>MervaneTimer: cannot open a display; run it on a desktop session, or under a virtual X server: xvfb-run MervaneTimer
</source>
        <translation>MervaneTimer: kan geen beeldscherm openen; start het in een desktopsessie of onder een virtuele X-server: xvfb-run MervaneTimer
</translation>
    </message>
</context>
<context>
    <name>CountdownTimer</name>
    <message>
        <source>End of game %1</source>
        <translation>Einde spel %1</translation>
    </message>
</context>
<context>
    <name>EntryRule</name>
    <message>
        <source>At most %1 characters</source>
        <translation>Maximaal %1 tekens</translation>
    </message>
    <message>
        <source>Whole minutes only; not saved</source>
        <translation>Alleen hele minuten; niet opgeslagen</translation>
    </message>
    <message>
        <source>From %1 to %2 minutes only; not saved</source>
        <translation>Alleen %1 tot %2 minuten; niet opgeslagen</translation>
    </message>
    <message>
        <source>%1 minutes: the phase is skipped</source>
        <translation>%1 minuten: de fase wordt overgeslagen</translation>
    </message>
    <message>
        <source>A game-year, or 0 for no end; not saved</source>
        <translation>Een speeljaar, of 0 voor geen einde; niet opgeslagen</translation>
    </message>
    <message>
        <source>A port from %1 to %2; not saved</source>
        <translation>Een poort van %1 tot %2; niet opgeslagen</translation>
    </message>
    <message>
        <source>Whole minutes from 0 (none) to %1; not saved</source>
        <translation>Hele minuten van 0 (geen) tot %1; niet opgeslagen</translation>
    </message>
    <message>
        <source>A time of day such as 18:30; not saved</source>
        <translation>Een tijdstip zoals 18:30; niet opgeslagen</translation>
    </message>
    <message>
        <source>4 to 8 digits, or empty for none; not saved</source>
        <translation>4 tot 8 cijfers, of leeg voor geen; niet opgeslagen</translation>
    </message>
</context>
<context>
    <name>GameRecorder</name>
    <message>
        <source>MervaneTimer: not resuming the game in %1: %2; kept as %3</source>
        <translation>MervaneTimer: het spel in %1 wordt niet hervat: %2; bewaard als %3</translation>
    </message>
</context>
<context>
    <name>GameStateFile</name>
    <message>
        <source>it cannot be read as a small regular file</source>
        <translation>het is niet te lezen als een klein, gewoon bestand</translation>
    </message>
    <message>
        <source>it does not hold a whole game</source>
        <translation>het bevat geen volledig spel</translation>
    </message>
    <message>
        <source>it was saved in the future</source>
        <translation>het is in de toekomst opgeslagen</translation>
    </message>
</context>
<context>
    <name>GuestAdmission</name>
    <message>
        <source>Port %1 cannot be used: %2</source>
        <translation>Poort %1 kan niet worden gebruikt: %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Clock</source>
        <translation>&amp;Klok</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;About MervaneTimer</source>
        <translation>&amp;Over MervaneTimer</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pauze</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Doorgaan</translation>
    </message>
    <message>
        <source>Pause &amp;or Continue</source>
        <translation>Pauze o&amp;f doorgaan</translation>
    </message>
    <message>
        <source>&amp;Next Phase</source>
        <translation>V&amp;olgende fase</translation>
    </message>
    <message>
        <source>P&amp;revious Phase</source>
        <translation>Vo&amp;rige fase</translation>
    </message>
    <message>
        <source>&amp;New Game...</source>
        <translation>&amp;Nieuw spel...</translation>
    </message>
    <message>
        <source>Play Cue</source>
        <translation>Signaal afspelen</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>&amp;Volledig scherm</translation>
    </message>
    <message>
        <source>Show &amp;Viewer Address</source>
        <translation>Adres voor &amp;kijkers tonen</translation>
    </message>
    <message>
        <source>Pre&amp;ferences...</source>
        <translation>&amp;Instellingen...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Afsluiten</translation>
    </message>
    <message>
        <source>About MervaneTimer</source>
        <translation>Over MervaneTimer</translation>
    </message>
    <message>
        <source>MervaneTimer %1: a countdown clock for the referee of a negotiation board game tournament.

Free software under the GNU General Public License, version 3 or (at your option) any later version: you may share and change it under its terms. It comes with no warranty.</source>
        <translation>MervaneTimer %1: een aftelklok voor de wedstrijdleiding van een toernooi in een onderhandelingsbordspel.

Vrije software onder de GNU General Public License, versie 3 of (naar keuze) een latere versie: je mag het onder die voorwaarden delen en wijzigen. Het wordt geleverd zonder enige garantie.</translation>
    </message>
</context>
<context>
    <name>MervaneTimerAppDelegate</name>
    <message>
        <source>%1 - resumed, clock was down %2</source>
        <translation>%1 - hervat, klok lag %2 stil</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Nieuw spel</translation>
    </message>
    <message>
        <source>Start a new game at Spring 1901? The game on the clock ends.</source>
        <translation>Een nieuw spel beginnen in Lente 1901? Het huidige spel op de klok eindigt.</translation>
    </message>
</context>
<context>
    <name>Phase</name>
    <message>
        <source>Fall (Orders) %1</source>
        <translation>Herfst (Orders) %1</translation>
    </message>
    <message>
        <source>Fall %1</source>
        <translation>Herfst %1</translation>
    </message>
    <message>
        <source>Spring (Orders) %1</source>
        <translation>Lente (Orders) %1</translation>
    </message>
    <message>
        <source>Spring %1</source>
        <translation>Lente %1</translation>
    </message>
</context>
<context>
    <name>PhaseOutlook</name>
    <message>
        <source>Last phase of the game</source>
        <translation>Laatste spelfase</translation>
    </message>
    <message>
        <source>%1 · %2 min</source>
        <translation>%1 · %2 min</translation>
    </message>
    <message>
        <source>Last game-year: %1</source>
        <translation>Laatste speeljaar: %1</translation>
    </message>
</context>
<context>
    <name>PreferenceController</name>
    <message>
        <source>System</source>
        <translation>Systeem</translation>
    </message>
    <message>
        <source>System default</source>
        <translation>Systeemstandaard</translation>
    </message>
    <message>
        <source>Could not save the preferences to %1: %2. The change lasts until the clock is closed.</source>
        <translation>Kon de instellingen niet opslaan in %1: %2. De wijziging geldt tot de klok wordt gesloten.</translation>
    </message>
    <message>
        <source>A PIN for remote commands, if you want them: Enter keeps it; empty, none.</source>
        <translation>Een PIN voor bediening op afstand, als je die wilt: Enter slaat hem op; leeg: geen.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>MervaneTimer Preferences</source>
        <translation>MervaneTimer-instellingen</translation>
    </message>
    <message>
        <source>&amp;Banner text:</source>
        <translation>&amp;Bannertekst:</translation>
    </message>
    <message>
        <source>&amp;Spring (minutes):</source>
        <translation>&amp;Lente (minuten):</translation>
    </message>
    <message>
        <source>&amp;Fall (minutes):</source>
        <translation>&amp;Herfst (minuten):</translation>
    </message>
    <message>
        <source>&amp;Orders (minutes):</source>
        <translation>&amp;Orders (minuten):</translation>
    </message>
    <message>
        <source>&amp;Last game-year (0: none):</source>
        <translation>L&amp;aatste speeljaar (0: geen):</translation>
    </message>
    <message>
        <source>No new game-year a&amp;fter:</source>
        <translation>Geen nieuw speeljaar &amp;na:</translation>
    </message>
    <message>
        <source>&amp;Write orders after each negotiation</source>
        <translation>Na elke onderhandeling orders &amp;schrijven</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Weergave</translation>
    </message>
    <message>
        <source>&amp;Band of the phase&apos;s time gone</source>
        <translation>Balk met de verstreken tijd van de &amp;fase</translation>
    </message>
    <message>
        <source>&amp;Warning stage, minutes before the end:</source>
        <translation>&amp;Waarschuwing, minuten voor het einde:</translation>
    </message>
    <message>
        <source>Line naming the ne&amp;xt phase</source>
        <translation>Regel met de vol&amp;gende fase</translation>
    </message>
    <message>
        <source>&amp;Time of day</source>
        <translation>Huidige tij&amp;d</translation>
    </message>
    <message>
        <source>Lan&amp;guage:</source>
        <translation>&amp;Taal:</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Geluid</translation>
    </message>
    <message>
        <source>O&amp;utput:</source>
        <translation>&amp;Uitvoer:</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>&amp;Volume:</translation>
    </message>
    <message>
        <source>Sound &amp;check</source>
        <translation>G&amp;eluidstest</translation>
    </message>
    <message>
        <source>Viewers on phones and screens</source>
        <translation>Kijkers op telefoons en schermen</translation>
    </message>
    <message>
        <source>Serve the clock on the local &amp;network</source>
        <translation>&amp;Klok aanbieden op het lokale netwerk</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Poort:</translation>
    </message>
    <message>
        <source>Control P&amp;IN (4-8 digits, empty: none):</source>
        <translation>Bedienings-P&amp;IN (4-8 cijfers, leeg: geen):</translation>
    </message>
    <message>
        <source>Take remote commands &amp;again</source>
        <translation>Bediening op afstand wee&amp;r toestaan</translation>
    </message>
</context>
<context>
    <name>StoreFile</name>
    <message>
        <source>it is not a regular file</source>
        <translation>het is geen gewoon bestand</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>het is groter dan %1 KB</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>het is niet leesbaar</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>de schijf is vol</translation>
    </message>
    <message>
        <source>the file or its folder is not writable</source>
        <translation>het bestand of de map ervan is niet beschrijfbaar</translation>
    </message>
    <message>
        <source>what was written did not read back whole</source>
        <translation>wat geschreven is, kon niet volledig worden teruggelezen</translation>
    </message>
    <message>
        <source>MervaneTimer: not reading the preferences in %1: %2; the defaults apply</source>
        <translation>MervaneTimer: de instellingen in %1 worden niet gelezen: %2; de standaardwaarden gelden</translation>
    </message>
</context>
<context>
    <name>ViewerServer</name>
    <message>
        <source>Only JSON text messages are understood</source>
        <translation>Alleen JSON-tekstberichten worden begrepen</translation>
    </message>
    <message>
        <source>This clock already has %1 viewers; try again later</source>
        <translation>Deze klok heeft al %1 kijkers; probeer het later opnieuw</translation>
    </message>
    <message>
        <source>Not a JSON object</source>
        <translation>Geen JSON-object</translation>
    </message>
    <message>
        <source>Unknown message type</source>
        <translation>Onbekend berichttype</translation>
    </message>
    <message>
        <source>Unknown command</source>
        <translation>Onbekende opdracht</translation>
    </message>
    <message>
        <source>This clock takes no remote commands</source>
        <translation>Deze klok accepteert geen bediening op afstand</translation>
    </message>
    <message>
        <source>Too many wrong PINs; try again in %1 s</source>
        <translation>Te veel foute PIN&apos;s; probeer het over %1 s opnieuw</translation>
    </message>
    <message>
        <source>Remote commands are stopped after too many wrong PINs; the referee can turn them on again</source>
        <translation>Bediening op afstand is gestopt na te veel foute PIN&apos;s; de wedstrijdleiding kan die weer aanzetten</translation>
    </message>
    <message>
        <source>Too many commands; wait a moment</source>
        <translation>Te veel opdrachten; wacht even</translation>
    </message>
    <message>
        <source>Wrong PIN</source>
        <translation>Foute PIN</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pauze</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Doorgaan</translation>
    </message>
    <message>
        <source>Next phase</source>
        <translation>Volgende fase</translation>
    </message>
</context>
<context>
    <name>ViewerService</name>
    <message>
        <source>Viewers are off.</source>
        <translation>Meekijken staat uit.</translation>
    </message>
    <message>
        <source>Port %1 is not a port from %2 to %3</source>
        <translation>Poort %1 ligt niet tussen %2 en %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address of this computer</source>
        <translation>&quot;%1&quot; is geen adres van deze computer</translation>
    </message>
    <message>
        <source>Viewers are off: %1.</source>
        <translation>Meekijken staat uit: %1.</translation>
    </message>
    <message>
        <source>Players open %1 (viewers now: %2)</source>
        <translation>Spelers openen %1 (kijkers nu: %2)</translation>
    </message>
    <message>
        <source>Remote commands are stopped: %1 wrong PINs came since the PIN was set, so someone may be guessing. Turn them on again once that is sorted out.</source>
        <translation>Bediening op afstand is gestopt: sinds de PIN is ingesteld kwamen er %1 foute PIN&apos;s binnen, dus misschien probeert iemand te raden. Zet die weer aan zodra dat is uitgezocht.</translation>
    </message>
    <message>
        <source>Wrong PINs so far: %1 of the %2 that stop remote commands.</source>
        <translation>Foute PIN&apos;s tot nu toe: %1 van de %2 waarna bediening op afstand stopt.</translation>
    </message>
    <message>
        <source>With %1 digits, those guesses find the PIN once in %2 tries; with %3 digits, once in %4.</source>
        <translation>Met %1 cijfers vinden zulke gokpogingen de PIN één keer op %2 pogingen; met %3 cijfers één keer op %4.</translation>
    </message>
</context>
<context>
    <name>ViewerState</name>
    <message>
        <source>connection lost</source>
        <translation>verbinding weg</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Bedienen</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>Control PIN</source>
        <translation>Bedienings-PIN</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Geluid aan</translation>
    </message>
    <message>
        <source>Sound off</source>
        <translation>Geluid uit</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>MervaneTimer: cannot set the kept game in %1 aside as %2 (%3); resuming it</source>
        <translation>MervaneTimer: kan het bewaarde spel in %1 niet opzijzetten als %2 (%3); het wordt hervat</translation>
    </message>
</context>
</TS>
