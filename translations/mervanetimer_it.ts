<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="it_IT" sourcelanguage="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>A countdown clock for the referee of a negotiation board game tournament.</source>
        <translation>Un orologio con conto alla rovescia per l&apos;arbitro di un torneo di un gioco da tavolo di negoziazione.</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Mostra questa guida.</translation>
    </message>
    <message>
        <source>Start in full screen.</source>
        <translation>Avvia a schermo intero.</translation>
    </message>
    <message>
        <source>Start a new game at Spring 1901 instead of resuming the kept one, which is set aside as MervaneTimer.state.previous.</source>
        <translation>Inizia una nuova partita dalla Primavera 1901 invece di riprendere quella conservata, che viene messa da parte come MervaneTimer.state.previous.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argomento inatteso «%1».</translation>
    </message>
    <message>
        <source>MervaneTimer: cannot open a display; run it on a desktop session, or under a virtual X server: xvfb-run MervaneTimer
</source>
        <translation>MervaneTimer: impossibile aprire un display; avvialo in una sessione desktop, oppure sotto un server X virtuale: xvfb-run MervaneTimer
</translation>
    </message>
</context>
<context>
    <name>CountdownTimer</name>
    <message>
        <source>End of game %1</source>
        <translation>Fine partita %1</translation>
    </message>
</context>
<context>
    <name>EntryRule</name>
    <message>
        <source>At most %1 characters</source>
        <translation>Al massimo %1 caratteri</translation>
    </message>
    <message>
        <source>Whole minutes only; not saved</source>
        <translation>Solo minuti interi; non salvato</translation>
    </message>
    <message>
        <source>From %1 to %2 minutes only; not saved</source>
        <translation>Solo da %1 a %2 minuti; non salvato</translation>
    </message>
    <message>
        <source>%1 minutes: the phase is skipped</source>
        <translation>%1 minuti: la fase viene saltata</translation>
    </message>
    <message>
        <source>A game-year, or 0 for no end; not saved</source>
        <translation>Un anno di gioco, o 0 per nessuna fine; non salvato</translation>
    </message>
    <message>
        <source>A port from %1 to %2; not saved</source>
        <translation>Una porta da %1 a %2; non salvato</translation>
    </message>
    <message>
        <source>Whole minutes from 0 (none) to %1; not saved</source>
        <translation>Minuti interi da 0 (nessuno) a %1; non salvato</translation>
    </message>
    <message>
        <source>A time of day such as 18:30; not saved</source>
        <translation>Un orario come 18:30; non salvato</translation>
    </message>
    <message>
        <source>4 to 8 digits, or empty for none; not saved</source>
        <translation>Da 4 a 8 cifre, o vuoto per nessuno; non salvato</translation>
    </message>
</context>
<context>
    <name>GameRecorder</name>
    <message>
        <source>MervaneTimer: not resuming the game in %1: %2; kept as %3</source>
        <translation>MervaneTimer: la partita salvata in %1 non viene ripresa: %2; conservata come %3</translation>
    </message>
</context>
<context>
    <name>GameStateFile</name>
    <message>
        <source>it cannot be read as a small regular file</source>
        <translation>non può essere letto come un piccolo file regolare</translation>
    </message>
    <message>
        <source>it does not hold a whole game</source>
        <translation>non contiene una partita intera</translation>
    </message>
    <message>
        <source>it was saved in the future</source>
        <translation>è stato salvato nel futuro</translation>
    </message>
</context>
<context>
    <name>GuestAdmission</name>
    <message>
        <source>Port %1 cannot be used: %2</source>
        <translation>La porta %1 non può essere usata: %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Clock</source>
        <translation>&amp;Orologio</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aiuto</translation>
    </message>
    <message>
        <source>&amp;About MervaneTimer</source>
        <translation>&amp;Informazioni su MervaneTimer</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pausa</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Riprendi</translation>
    </message>
    <message>
        <source>Pause &amp;or Continue</source>
        <translation>Pausa &amp;o riprendi</translation>
    </message>
    <message>
        <source>&amp;Next Phase</source>
        <translation>Fase &amp;successiva</translation>
    </message>
    <message>
        <source>P&amp;revious Phase</source>
        <translation>Fase pre&amp;cedente</translation>
    </message>
    <message>
        <source>&amp;New Game...</source>
        <translation>&amp;Nuova partita...</translation>
    </message>
    <message>
        <source>Play Cue</source>
        <translation>Riproduci il segnale</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>Schermo &amp;intero</translation>
    </message>
    <message>
        <source>Show &amp;Viewer Address</source>
        <translation>&amp;Mostra l&apos;indirizzo per gli spettatori</translation>
    </message>
    <message>
        <source>Pre&amp;ferences...</source>
        <translation>Pre&amp;ferenze...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Esci</translation>
    </message>
    <message>
        <source>About MervaneTimer</source>
        <translation>Informazioni su MervaneTimer</translation>
    </message>
    <message>
        <source>MervaneTimer %1: a countdown clock for the referee of a negotiation board game tournament.

Free software under the GNU General Public License, version 3 or (at your option) any later version: you may share and change it under its terms. It comes with no warranty.</source>
        <translation>MervaneTimer %1: un orologio con conto alla rovescia per l&apos;arbitro di un torneo di un gioco da tavolo di negoziazione.

Software libero distribuito con la GNU General Public License, versione 3 o (a tua scelta) qualsiasi versione successiva: puoi condividerlo e modificarlo secondo i suoi termini. È fornito senza alcuna garanzia.</translation>
    </message>
</context>
<context>
    <name>MervaneTimerAppDelegate</name>
    <message>
        <source>%1 - resumed, clock was down %2</source>
        <translation>%1 - ripresa dopo %2 di fermo</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Nuova partita</translation>
    </message>
    <message>
        <source>Start a new game at Spring 1901? The game on the clock ends.</source>
        <translation>Iniziare una nuova partita dalla Primavera 1901? La partita in corso sull&apos;orologio termina.</translation>
    </message>
</context>
<context>
    <name>Phase</name>
    <message>
        <source>Fall (Orders) %1</source>
        <translation>Autunno (Ordini) %1</translation>
    </message>
    <message>
        <source>Fall %1</source>
        <translation>Autunno %1</translation>
    </message>
    <message>
        <source>Spring (Orders) %1</source>
        <translation>Primavera (Ordini) %1</translation>
    </message>
    <message>
        <source>Spring %1</source>
        <translation>Primavera %1</translation>
    </message>
</context>
<context>
    <name>PhaseOutlook</name>
    <message>
        <source>Last phase of the game</source>
        <translation>Ultima fase della partita</translation>
    </message>
    <message>
        <source>%1 · %2 min</source>
        <translation>%1 · %2 min</translation>
    </message>
    <message>
        <source>Last game-year: %1</source>
        <translation>Ultimo anno: %1</translation>
    </message>
</context>
<context>
    <name>PreferenceController</name>
    <message>
        <source>System</source>
        <translation>Sistema</translation>
    </message>
    <message>
        <source>System default</source>
        <translation>Predefinita di sistema</translation>
    </message>
    <message>
        <source>Could not save the preferences to %1: %2. The change lasts until the clock is closed.</source>
        <translation>Impossibile salvare le preferenze in %1: %2. La modifica resta valida fino alla chiusura dell&apos;orologio.</translation>
    </message>
    <message>
        <source>A PIN for remote commands, if you want them: Enter keeps it; empty, none.</source>
        <translation>Un PIN per i comandi remoti, se li vuoi: Invio lo conserva; vuoto, nessuno.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>MervaneTimer Preferences</source>
        <translation>Preferenze di MervaneTimer</translation>
    </message>
    <message>
        <source>&amp;Banner text:</source>
        <translation>Testo del &amp;banner:</translation>
    </message>
    <message>
        <source>&amp;Spring (minutes):</source>
        <translation>&amp;Primavera (minuti):</translation>
    </message>
    <message>
        <source>&amp;Fall (minutes):</source>
        <translation>&amp;Autunno (minuti):</translation>
    </message>
    <message>
        <source>&amp;Orders (minutes):</source>
        <translation>&amp;Ordini (minuti):</translation>
    </message>
    <message>
        <source>&amp;Last game-year (0: none):</source>
        <translation>&amp;Ultimo anno di gioco (0: nessuno):</translation>
    </message>
    <message>
        <source>No new game-year a&amp;fter:</source>
        <translation>&amp;Nessun nuovo anno di gioco dopo le:</translation>
    </message>
    <message>
        <source>&amp;Write orders after each negotiation</source>
        <translation>Scrittura degli ordini dopo ogni negozia&amp;zione</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Visualizzazione</translation>
    </message>
    <message>
        <source>&amp;Band of the phase&apos;s time gone</source>
        <translation>Barra del te&amp;mpo trascorso della fase</translation>
    </message>
    <message>
        <source>&amp;Warning stage, minutes before the end:</source>
        <translation>Modalità avviso, minuti prima della &amp;fine:</translation>
    </message>
    <message>
        <source>Line naming the ne&amp;xt phase</source>
        <translation>&amp;Riga con la fase successiva</translation>
    </message>
    <message>
        <source>&amp;Time of day</source>
        <translation>Ora del &amp;giorno</translation>
    </message>
    <message>
        <source>Lan&amp;guage:</source>
        <translation>&amp;Lingua:</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Audio</translation>
    </message>
    <message>
        <source>O&amp;utput:</source>
        <translation>U&amp;scita:</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>&amp;Volume:</translation>
    </message>
    <message>
        <source>Sound &amp;check</source>
        <translation>Prova au&amp;dio</translation>
    </message>
    <message>
        <source>Viewers on phones and screens</source>
        <translation>Spettatori su telefoni e schermi</translation>
    </message>
    <message>
        <source>Serve the clock on the local &amp;network</source>
        <translation>Condividi l&apos;orologio sulla r&amp;ete locale</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>Por&amp;ta:</translation>
    </message>
    <message>
        <source>Control P&amp;IN (4-8 digits, empty: none):</source>
        <translation>P&amp;IN di controllo (4-8 cifre, vuoto: nessuno):</translation>
    </message>
    <message>
        <source>Take remote commands &amp;again</source>
        <translation>Riattiva i &amp;comandi remoti</translation>
    </message>
</context>
<context>
    <name>StoreFile</name>
    <message>
        <source>it is not a regular file</source>
        <translation>non è un file regolare</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>è più grande di %1 KB</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>non può essere letto</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>il disco è pieno</translation>
    </message>
    <message>
        <source>the file or its folder is not writable</source>
        <translation>il file o la sua cartella non sono scrivibili</translation>
    </message>
    <message>
        <source>what was written did not read back whole</source>
        <translation>quanto scritto non è stato riletto per intero</translation>
    </message>
    <message>
        <source>MervaneTimer: not reading the preferences in %1: %2; the defaults apply</source>
        <translation>MervaneTimer: le preferenze in %1 non vengono lette: %2; si applicano i valori predefiniti</translation>
    </message>
</context>
<context>
    <name>ViewerServer</name>
    <message>
        <source>Only JSON text messages are understood</source>
        <translation>Sono accettati solo messaggi di testo JSON</translation>
    </message>
    <message>
        <source>This clock already has %1 viewers; try again later</source>
        <translation>Questo orologio ha già %1 spettatori; riprova più tardi</translation>
    </message>
    <message>
        <source>Not a JSON object</source>
        <translation>Non è un oggetto JSON</translation>
    </message>
    <message>
        <source>Unknown message type</source>
        <translation>Tipo di messaggio sconosciuto</translation>
    </message>
    <message>
        <source>Unknown command</source>
        <translation>Comando sconosciuto</translation>
    </message>
    <message>
        <source>This clock takes no remote commands</source>
        <translation>Questo orologio non accetta comandi remoti</translation>
    </message>
    <message>
        <source>Too many wrong PINs; try again in %1 s</source>
        <translation>Troppi PIN errati; riprova tra %1 s</translation>
    </message>
    <message>
        <source>Remote commands are stopped after too many wrong PINs; the referee can turn them on again</source>
        <translation>I comandi remoti sono stati disattivati dopo troppi PIN errati; l&apos;arbitro può riattivarli</translation>
    </message>
    <message>
        <source>Too many commands; wait a moment</source>
        <translation>Troppi comandi; attendi un momento</translation>
    </message>
    <message>
        <source>Wrong PIN</source>
        <translation>PIN errato</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausa</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Riprendi</translation>
    </message>
    <message>
        <source>Next phase</source>
        <translation>Fase successiva</translation>
    </message>
</context>
<context>
    <name>ViewerService</name>
    <message>
        <source>Viewers are off.</source>
        <translation>Spettatori disattivati.</translation>
    </message>
    <message>
        <source>Port %1 is not a port from %2 to %3</source>
        <translation>La porta %1 non è una porta da %2 a %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address of this computer</source>
        <translation>«%1» non è un indirizzo di questo computer</translation>
    </message>
    <message>
        <source>Viewers are off: %1.</source>
        <translation>Spettatori disattivati: %1.</translation>
    </message>
    <message>
        <source>Players open %1 (viewers now: %2)</source>
        <translation>I giocatori aprono %1 (spettatori ora: %2)</translation>
    </message>
    <message>
        <source>Remote commands are stopped: %1 wrong PINs came since the PIN was set, so someone may be guessing. Turn them on again once that is sorted out.</source>
        <translation>Comandi remoti disattivati: da quando il PIN è stato impostato sono arrivati %1 PIN errati, quindi qualcuno potrebbe tentare di indovinarlo. Riattivali una volta chiarita la situazione.</translation>
    </message>
    <message>
        <source>Wrong PINs so far: %1 of the %2 that stop remote commands.</source>
        <translation>PIN errati finora: %1 dei %2 che disattivano i comandi remoti.</translation>
    </message>
    <message>
        <source>With %1 digits, those guesses find the PIN once in %2 tries; with %3 digits, once in %4.</source>
        <translation>Con %1 cifre, questi tentativi trovano il PIN una volta su %2; con %3 cifre, una volta su %4.</translation>
    </message>
</context>
<context>
    <name>ViewerState</name>
    <message>
        <source>connection lost</source>
        <translation>connessione persa</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Comandi</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>Control PIN</source>
        <translation>PIN di controllo</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Audio acceso</translation>
    </message>
    <message>
        <source>Sound off</source>
        <translation>Audio spento</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>MervaneTimer: cannot set the kept game in %1 aside as %2 (%3); resuming it</source>
        <translation>MervaneTimer: impossibile mettere da parte la partita conservata in %1 come %2 (%3); viene ripresa</translation>
    </message>
</context>
</TS>
