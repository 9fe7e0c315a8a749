<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es_ES" sourcelanguage="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>A countdown clock for the referee of a negotiation board game tournament.</source>
        <translation>Un reloj de cuenta atrás para el árbitro de un torneo de un juego de mesa de negociación.</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Muestra esta ayuda.</translation>
    </message>
    <message>
        <source>Start in full screen.</source>
        <translation>Empezar a pantalla completa.</translation>
    </message>
    <message>
        <source>Start a new game at Spring 1901 instead of resuming the kept one, which is set aside as MervaneTimer.state.previous.</source>
        <translation>Empezar una partida nueva en Primavera 1901 en lugar de reanudar la guardada, que se aparta como MervaneTimer.state.previous.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argumento inesperado «%1».</translation>
    </message>
    <message>
        <source>MervaneTimer: cannot open a display; run it on a desktop session, or under a virtual X server: xvfb-run MervaneTimer
</source>
        <translation>MervaneTimer: no se puede abrir una pantalla; ejecútelo en una sesión de escritorio o con un servidor X virtual: xvfb-run MervaneTimer
</translation>
    </message>
</context>
<context>
    <name>CountdownTimer</name>
    <message>
        <source>End of game %1</source>
        <translation>Fin de partida %1</translation>
    </message>
</context>
<context>
    <name>EntryRule</name>
    <message>
        <source>At most %1 characters</source>
        <translation>Como máximo %1 caracteres</translation>
    </message>
    <message>
        <source>Whole minutes only; not saved</source>
        <translation>Solo minutos enteros; no se guarda</translation>
    </message>
    <message>
        <source>From %1 to %2 minutes only; not saved</source>
        <translation>Solo de %1 a %2 minutos; no se guarda</translation>
    </message>
    <message>
        <source>%1 minutes: the phase is skipped</source>
        <translation>%1 minutos: la fase se omite</translation>
    </message>
    <message>
        <source>A game-year, or 0 for no end; not saved</source>
        <translation>Un año de juego, o 0 para no tener final; no se guarda</translation>
    </message>
    <message>
        <source>A port from %1 to %2; not saved</source>
        <translation>Un puerto de %1 a %2; no se guarda</translation>
    </message>
    <message>
        <source>Whole minutes from 0 (none) to %1; not saved</source>
        <translation>Minutos enteros de 0 (ninguno) a %1; no se guarda</translation>
    </message>
    <message>
        <source>A time of day such as 18:30; not saved</source>
        <translation>Una hora como 18:30; no se guarda</translation>
    </message>
    <message>
        <source>4 to 8 digits, or empty for none; not saved</source>
        <translation>De 4 a 8 dígitos, o vacío para ninguno; no se guarda</translation>
    </message>
</context>
<context>
    <name>GameRecorder</name>
    <message>
        <source>MervaneTimer: not resuming the game in %1: %2; kept as %3</source>
        <translation>MervaneTimer: no se reanuda la partida de %1: %2; se conserva como %3</translation>
    </message>
</context>
<context>
    <name>GameStateFile</name>
    <message>
        <source>it cannot be read as a small regular file</source>
        <translation>no se puede leer como un archivo normal pequeño</translation>
    </message>
    <message>
        <source>it does not hold a whole game</source>
        <translation>no contiene una partida completa</translation>
    </message>
    <message>
        <source>it was saved in the future</source>
        <translation>se guardó en el futuro</translation>
    </message>
</context>
<context>
    <name>GuestAdmission</name>
    <message>
        <source>Port %1 cannot be used: %2</source>
        <translation>No se puede usar el puerto %1: %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Clock</source>
        <translation>&amp;Reloj</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>A&amp;yuda</translation>
    </message>
    <message>
        <source>&amp;About MervaneTimer</source>
        <translation>&amp;Acerca de MervaneTimer</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pausar</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Continuar</translation>
    </message>
    <message>
        <source>Pause &amp;or Continue</source>
        <translation>Pausar &amp;o continuar</translation>
    </message>
    <message>
        <source>&amp;Next Phase</source>
        <translation>Fase si&amp;guiente</translation>
    </message>
    <message>
        <source>P&amp;revious Phase</source>
        <translation>Fase &amp;anterior</translation>
    </message>
    <message>
        <source>&amp;New Game...</source>
        <translation>&amp;Nueva partida...</translation>
    </message>
    <message>
        <source>Play Cue</source>
        <translation>Reproducir señal</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>Pan&amp;talla completa</translation>
    </message>
    <message>
        <source>Show &amp;Viewer Address</source>
        <translation>Mostrar la &amp;dirección para visores</translation>
    </message>
    <message>
        <source>Pre&amp;ferences...</source>
        <translation>Pre&amp;ferencias...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Salir</translation>
    </message>
    <message>
        <source>About MervaneTimer</source>
        <translation>Acerca de MervaneTimer</translation>
    </message>
    <message>
        <source>MervaneTimer %1: a countdown clock for the referee of a negotiation board game tournament.

Free software under the GNU General Public License, version 3 or (at your option) any later version: you may share and change it under its terms. It comes with no warranty.</source>
        <translation>MervaneTimer %1: un reloj de cuenta atrás para el árbitro de un torneo de un juego de mesa de negociación.

Software libre bajo la Licencia Pública General de GNU, versión 3 o (a su elección) cualquier versión posterior: puede compartirlo y modificarlo según sus términos. Se ofrece sin ninguna garantía.</translation>
    </message>
</context>
<context>
    <name>MervaneTimerAppDelegate</name>
    <message>
        <source>%1 - resumed, clock was down %2</source>
        <translation>%1 - reanudada, reloj parado %2</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Nueva partida</translation>
    </message>
    <message>
        <source>Start a new game at Spring 1901? The game on the clock ends.</source>
        <translation>¿Empezar una partida nueva en Primavera 1901? La partida en curso terminará.</translation>
    </message>
</context>
<context>
    <name>Phase</name>
    <message>
        <source>Fall (Orders) %1</source>
        <translation>Otoño (Órdenes) %1</translation>
    </message>
    <message>
        <source>Fall %1</source>
        <translation>Otoño %1</translation>
    </message>
    <message>
        <source>Spring (Orders) %1</source>
        <translation>Primavera (Órdenes) %1</translation>
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
        <translation>Última fase de la partida</translation>
    </message>
    <message>
        <source>%1 · %2 min</source>
        <translation>%1 · %2 min</translation>
    </message>
    <message>
        <source>Last game-year: %1</source>
        <translation>Último año de juego: %1</translation>
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
        <translation>Predeterminado del sistema</translation>
    </message>
    <message>
        <source>Could not save the preferences to %1: %2. The change lasts until the clock is closed.</source>
        <translation>No se pudieron guardar las preferencias en %1: %2. El cambio dura hasta que se cierre el reloj.</translation>
    </message>
    <message>
        <source>A PIN for remote commands, if you want them: Enter keeps it; empty, none.</source>
        <translation>Un PIN para comandos remotos, si los quiere: Intro lo conserva; vacío, ninguno.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>MervaneTimer Preferences</source>
        <translation>Preferencias de MervaneTimer</translation>
    </message>
    <message>
        <source>&amp;Banner text:</source>
        <translation>&amp;Texto del rótulo:</translation>
    </message>
    <message>
        <source>&amp;Spring (minutes):</source>
        <translation>&amp;Primavera (minutos):</translation>
    </message>
    <message>
        <source>&amp;Fall (minutes):</source>
        <translation>&amp;Otoño (minutos):</translation>
    </message>
    <message>
        <source>&amp;Orders (minutes):</source>
        <translation>Ó&amp;rdenes (minutos):</translation>
    </message>
    <message>
        <source>&amp;Last game-year (0: none):</source>
        <translation>Ú&amp;ltimo año de juego (0: ninguno):</translation>
    </message>
    <message>
        <source>No new game-year a&amp;fter:</source>
        <translation>Sin nuevo año de juego &amp;después de:</translation>
    </message>
    <message>
        <source>&amp;Write orders after each negotiation</source>
        <translation>&amp;Escribir órdenes tras cada negociación</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Pantalla</translation>
    </message>
    <message>
        <source>&amp;Band of the phase&apos;s time gone</source>
        <translation>&amp;Barra del tiempo transcurrido de la fase</translation>
    </message>
    <message>
        <source>&amp;Warning stage, minutes before the end:</source>
        <translation>&amp;Aviso, minutos antes del final:</translation>
    </message>
    <message>
        <source>Line naming the ne&amp;xt phase</source>
        <translation>Línea con la fase si&amp;guiente</translation>
    </message>
    <message>
        <source>&amp;Time of day</source>
        <translation>&amp;Hora del día</translation>
    </message>
    <message>
        <source>Lan&amp;guage:</source>
        <translation>Idio&amp;ma:</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sonido</translation>
    </message>
    <message>
        <source>O&amp;utput:</source>
        <translation>&amp;Salida:</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>&amp;Volumen:</translation>
    </message>
    <message>
        <source>Sound &amp;check</source>
        <translation>&amp;Comprobar sonido</translation>
    </message>
    <message>
        <source>Viewers on phones and screens</source>
        <translation>Visores en móviles y pantallas</translation>
    </message>
    <message>
        <source>Serve the clock on the local &amp;network</source>
        <translation>Servir el reloj e&amp;n la red local</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>P&amp;uerto:</translation>
    </message>
    <message>
        <source>Control P&amp;IN (4-8 digits, empty: none):</source>
        <translation>P&amp;IN de control (4-8 dígitos, vacío: ninguno):</translation>
    </message>
    <message>
        <source>Take remote commands &amp;again</source>
        <translation>Aceptar comandos remotos otra ve&amp;z</translation>
    </message>
</context>
<context>
    <name>StoreFile</name>
    <message>
        <source>it is not a regular file</source>
        <translation>no es un archivo normal</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>ocupa más de %1 KB</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>no se puede leer</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>el disco está lleno</translation>
    </message>
    <message>
        <source>the file or its folder is not writable</source>
        <translation>no se puede escribir en el archivo o en su carpeta</translation>
    </message>
    <message>
        <source>what was written did not read back whole</source>
        <translation>lo escrito no se pudo volver a leer entero</translation>
    </message>
    <message>
        <source>MervaneTimer: not reading the preferences in %1: %2; the defaults apply</source>
        <translation>MervaneTimer: no se leen las preferencias de %1: %2; se aplican los valores predeterminados</translation>
    </message>
</context>
<context>
    <name>ViewerServer</name>
    <message>
        <source>Only JSON text messages are understood</source>
        <translation>Solo se entienden mensajes de texto JSON</translation>
    </message>
    <message>
        <source>This clock already has %1 viewers; try again later</source>
        <translation>Este reloj ya tiene %1 visores; inténtelo más tarde</translation>
    </message>
    <message>
        <source>Not a JSON object</source>
        <translation>No es un objeto JSON</translation>
    </message>
    <message>
        <source>Unknown message type</source>
        <translation>Tipo de mensaje desconocido</translation>
    </message>
    <message>
        <source>Unknown command</source>
        <translation>Comando desconocido</translation>
    </message>
    <message>
        <source>This clock takes no remote commands</source>
        <translation>Este reloj no acepta comandos remotos</translation>
    </message>
    <message>
        <source>Too many wrong PINs; try again in %1 s</source>
        <translation>Demasiados PIN incorrectos; inténtelo de nuevo en %1 s</translation>
    </message>
    <message>
        <source>Remote commands are stopped after too many wrong PINs; the referee can turn them on again</source>
        <translation>Los comandos remotos se han detenido tras demasiados PIN incorrectos; el árbitro puede reactivarlos</translation>
    </message>
    <message>
        <source>Too many commands; wait a moment</source>
        <translation>Demasiados comandos; espere un momento</translation>
    </message>
    <message>
        <source>Wrong PIN</source>
        <translation>PIN incorrecto</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausar</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Continuar</translation>
    </message>
    <message>
        <source>Next phase</source>
        <translation>Fase siguiente</translation>
    </message>
</context>
<context>
    <name>ViewerService</name>
    <message>
        <source>Viewers are off.</source>
        <translation>Visores desactivados.</translation>
    </message>
    <message>
        <source>Port %1 is not a port from %2 to %3</source>
        <translation>El puerto %1 no está entre %2 y %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address of this computer</source>
        <translation>«%1» no es una dirección de este ordenador</translation>
    </message>
    <message>
        <source>Viewers are off: %1.</source>
        <translation>Visores desactivados: %1.</translation>
    </message>
    <message>
        <source>Players open %1 (viewers now: %2)</source>
        <translation>Los jugadores abren %1 (visores ahora: %2)</translation>
    </message>
    <message>
        <source>Remote commands are stopped: %1 wrong PINs came since the PIN was set, so someone may be guessing. Turn them on again once that is sorted out.</source>
        <translation>Los comandos remotos están detenidos: han llegado %1 PIN incorrectos desde que se fijó el PIN, así que alguien podría estar intentando adivinarlo. Reactívelos cuando se haya aclarado.</translation>
    </message>
    <message>
        <source>Wrong PINs so far: %1 of the %2 that stop remote commands.</source>
        <translation>PIN incorrectos hasta ahora: %1 de los %2 que detienen los comandos remotos.</translation>
    </message>
    <message>
        <source>With %1 digits, those guesses find the PIN once in %2 tries; with %3 digits, once in %4.</source>
        <translation>Con %1 dígitos, esos intentos aciertan el PIN una vez de cada %2; con %3 dígitos, una vez de cada %4.</translation>
    </message>
</context>
<context>
    <name>ViewerState</name>
    <message>
        <source>connection lost</source>
        <translation>conexión perdida</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>Control PIN</source>
        <translation>PIN de control</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Sonido activado</translation>
    </message>
    <message>
        <source>Sound off</source>
        <translation>Sonido desactivado</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>MervaneTimer: cannot set the kept game in %1 aside as %2 (%3); resuming it</source>
        <translation>MervaneTimer: no se puede apartar la partida guardada en %1 como %2 (%3); se reanuda</translation>
    </message>
</context>
</TS>
