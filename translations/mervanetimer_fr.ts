<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR" sourcelanguage="en">
<context>
    <name>CommandLine</name>
    <message>
        <source>A countdown clock for the referee of a negotiation board game tournament.</source>
        <translation>Un compte à rebours pour l&apos;arbitre d&apos;un tournoi de jeu de plateau de négociation.</translation>
    </message>
    <message>
        <source>Displays this help.</source>
        <translation>Afficher cette aide.</translation>
    </message>
    <message>
        <source>Start in full screen.</source>
        <translation>Démarrer en plein écran.</translation>
    </message>
    <message>
        <source>Start a new game at Spring 1901 instead of resuming the kept one, which is set aside as MervaneTimer.state.previous.</source>
        <translation>Commencer une nouvelle partie au printemps 1901 au lieu de reprendre celle conservée, qui est mise de côté sous le nom MervaneTimer.state.previous.</translation>
    </message>
    <message>
        <source>Unexpected argument &apos;%1&apos;.</source>
        <translation>Argument inattendu « %1 ».</translation>
    </message>
    <message>
        <source>MervaneTimer: cannot open a display; run it on a desktop session, or under a virtual X server: xvfb-run MervaneTimer
</source>
        <translation>MervaneTimer : impossible d&apos;ouvrir un affichage ; lancez-le dans une session de bureau, ou sous un serveur X virtuel : xvfb-run MervaneTimer
</translation>
    </message>
</context>
<context>
    <name>CountdownTimer</name>
    <message>
        <source>End of game %1</source>
        <translation>Fin de partie %1</translation>
    </message>
</context>
<context>
    <name>EntryRule</name>
    <message>
        <source>At most %1 characters</source>
        <translation>%1 caractères au maximum</translation>
    </message>
    <message>
        <source>Whole minutes only; not saved</source>
        <translation>Minutes entières uniquement ; non enregistré</translation>
    </message>
    <message>
        <source>From %1 to %2 minutes only; not saved</source>
        <translation>De %1 à %2 minutes uniquement ; non enregistré</translation>
    </message>
    <message>
        <source>%1 minutes: the phase is skipped</source>
        <translation>%1 minute : la phase est sautée</translation>
    </message>
    <message>
        <source>A game-year, or 0 for no end; not saved</source>
        <translation>Une année de jeu, ou 0 pour ne pas fixer de fin ; non enregistré</translation>
    </message>
    <message>
        <source>A port from %1 to %2; not saved</source>
        <translation>Un port de %1 à %2 ; non enregistré</translation>
    </message>
    <message>
        <source>Whole minutes from 0 (none) to %1; not saved</source>
        <translation>Minutes entières de 0 (aucune) à %1 ; non enregistré</translation>
    </message>
    <message>
        <source>A time of day such as 18:30; not saved</source>
        <translation>Une heure comme 18:30 ; non enregistré</translation>
    </message>
    <message>
        <source>4 to 8 digits, or empty for none; not saved</source>
        <translation>4 à 8 chiffres, ou vide pour aucun ; non enregistré</translation>
    </message>
</context>
<context>
    <name>GameRecorder</name>
    <message>
        <source>MervaneTimer: not resuming the game in %1: %2; kept as %3</source>
        <translation>MervaneTimer : la partie enregistrée dans %1 n&apos;est pas reprise : %2 ; conservée sous %3</translation>
    </message>
</context>
<context>
    <name>GameStateFile</name>
    <message>
        <source>it cannot be read as a small regular file</source>
        <translation>il ne peut pas être lu comme un petit fichier ordinaire</translation>
    </message>
    <message>
        <source>it does not hold a whole game</source>
        <translation>il ne contient pas une partie entière</translation>
    </message>
    <message>
        <source>it was saved in the future</source>
        <translation>il a été enregistré dans le futur</translation>
    </message>
</context>
<context>
    <name>GuestAdmission</name>
    <message>
        <source>Port %1 cannot be used: %2</source>
        <translation>Le port %1 est inutilisable : %2</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>&amp;Clock</source>
        <translation>&amp;Horloge</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;About MervaneTimer</source>
        <translation>À &amp;propos de MervaneTimer</translation>
    </message>
    <message>
        <source>&amp;Pause</source>
        <translation>&amp;Pause</translation>
    </message>
    <message>
        <source>&amp;Continue</source>
        <translation>&amp;Reprendre</translation>
    </message>
    <message>
        <source>Pause &amp;or Continue</source>
        <translation>Pause &amp;ou reprise</translation>
    </message>
    <message>
        <source>&amp;Next Phase</source>
        <translation>Phase &amp;suivante</translation>
    </message>
    <message>
        <source>P&amp;revious Phase</source>
        <translation>Phase pré&amp;cédente</translation>
    </message>
    <message>
        <source>&amp;New Game...</source>
        <translation>&amp;Nouvelle partie...</translation>
    </message>
    <message>
        <source>Play Cue</source>
        <translation>Jouer le signal</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>P&amp;lein écran</translation>
    </message>
    <message>
        <source>Show &amp;Viewer Address</source>
        <translation>Afficher l&apos;&amp;adresse des spectateurs</translation>
    </message>
    <message>
        <source>Pre&amp;ferences...</source>
        <translation>Pré&amp;férences...</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>About MervaneTimer</source>
        <translation>À propos de MervaneTimer</translation>
    </message>
    <message>
        <source>MervaneTimer %1: a countdown clock for the referee of a negotiation board game tournament.

Free software under the GNU General Public License, version 3 or (at your option) any later version: you may share and change it under its terms. It comes with no warranty.</source>
        <translation>MervaneTimer %1 : un compte à rebours pour l&apos;arbitre d&apos;un tournoi de jeu de plateau de négociation.

Logiciel libre sous licence publique générale GNU, version 3 ou (à votre choix) toute version ultérieure : vous pouvez le partager et le modifier selon ses termes. Il est fourni sans aucune garantie.</translation>
    </message>
</context>
<context>
    <name>MervaneTimerAppDelegate</name>
    <message>
        <source>%1 - resumed, clock was down %2</source>
        <translation>%1 - reprise après %2 d&apos;arrêt</translation>
    </message>
    <message>
        <source>New Game</source>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <source>Start a new game at Spring 1901? The game on the clock ends.</source>
        <translation>Commencer une nouvelle partie au printemps 1901 ? La partie en cours sur l&apos;horloge prend fin.</translation>
    </message>
</context>
<context>
    <name>Phase</name>
    <message>
        <source>Fall (Orders) %1</source>
        <translation>Automne (Ordres) %1</translation>
    </message>
    <message>
        <source>Fall %1</source>
        <translation>Automne %1</translation>
    </message>
    <message>
        <source>Spring (Orders) %1</source>
        <translation>Printemps (Ordres) %1</translation>
    </message>
    <message>
        <source>Spring %1</source>
        <translation>Printemps %1</translation>
    </message>
</context>
<context>
    <name>PhaseOutlook</name>
    <message>
        <source>Last phase of the game</source>
        <translation>Dernière phase de la partie</translation>
    </message>
    <message>
        <source>%1 · %2 min</source>
        <translation>%1 · %2 min</translation>
    </message>
    <message>
        <source>Last game-year: %1</source>
        <translation>Dernière année : %1</translation>
    </message>
</context>
<context>
    <name>PreferenceController</name>
    <message>
        <source>System</source>
        <translation>Système</translation>
    </message>
    <message>
        <source>System default</source>
        <translation>Par défaut du système</translation>
    </message>
    <message>
        <source>Could not save the preferences to %1: %2. The change lasts until the clock is closed.</source>
        <translation>Impossible d&apos;enregistrer les préférences dans %1 : %2. La modification vaut jusqu&apos;à la fermeture de l&apos;horloge.</translation>
    </message>
    <message>
        <source>A PIN for remote commands, if you want them: Enter keeps it; empty, none.</source>
        <translation>Un PIN pour les commandes à distance, si vous en voulez : Entrée le garde ; vide, aucun.</translation>
    </message>
</context>
<context>
    <name>Preferences</name>
    <message>
        <source>MervaneTimer Preferences</source>
        <translation>Préférences de MervaneTimer</translation>
    </message>
    <message>
        <source>&amp;Banner text:</source>
        <translation>Texte du &amp;bandeau :</translation>
    </message>
    <message>
        <source>&amp;Spring (minutes):</source>
        <translation>&amp;Printemps (minutes) :</translation>
    </message>
    <message>
        <source>&amp;Fall (minutes):</source>
        <translation>&amp;Automne (minutes) :</translation>
    </message>
    <message>
        <source>&amp;Orders (minutes):</source>
        <translation>&amp;Ordres (minutes) :</translation>
    </message>
    <message>
        <source>&amp;Last game-year (0: none):</source>
        <translation>&amp;Dernière année de jeu (0 : aucune) :</translation>
    </message>
    <message>
        <source>No new game-year a&amp;fter:</source>
        <translation>Pas de &amp;nouvelle année de jeu après :</translation>
    </message>
    <message>
        <source>&amp;Write orders after each negotiation</source>
        <translation>Rédiger les ordres après chaque né&amp;gociation</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>Affichage</translation>
    </message>
    <message>
        <source>&amp;Band of the phase&apos;s time gone</source>
        <translation>&amp;Jauge du temps écoulé de la phase</translation>
    </message>
    <message>
        <source>&amp;Warning stage, minutes before the end:</source>
        <translation>&amp;Mode alerte, minutes avant la fin :</translation>
    </message>
    <message>
        <source>Line naming the ne&amp;xt phase</source>
        <translation>Ligne annonçant la phase s&amp;uivante</translation>
    </message>
    <message>
        <source>&amp;Time of day</source>
        <translation>&amp;Heure actuelle</translation>
    </message>
    <message>
        <source>Lan&amp;guage:</source>
        <translation>&amp;Langue :</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Son</translation>
    </message>
    <message>
        <source>O&amp;utput:</source>
        <translation>&amp;Sortie :</translation>
    </message>
    <message>
        <source>&amp;Volume:</source>
        <translation>&amp;Volume :</translation>
    </message>
    <message>
        <source>Sound &amp;check</source>
        <translation>T&amp;ester le son</translation>
    </message>
    <message>
        <source>Viewers on phones and screens</source>
        <translation>Spectateurs sur téléphones et écrans</translation>
    </message>
    <message>
        <source>Serve the clock on the local &amp;network</source>
        <translation>Diffuser l&apos;horloge sur le réseau lo&amp;cal</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>Por&amp;t :</translation>
    </message>
    <message>
        <source>Control P&amp;IN (4-8 digits, empty: none):</source>
        <translation>Code P&amp;IN de contrôle (4 à 8 chiffres, vide : aucun) :</translation>
    </message>
    <message>
        <source>Take remote commands &amp;again</source>
        <translation>&amp;Réactiver les commandes à distance</translation>
    </message>
</context>
<context>
    <name>StoreFile</name>
    <message>
        <source>it is not a regular file</source>
        <translation>ce n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>it is larger than %1 KB</source>
        <translation>il dépasse %1 Ko</translation>
    </message>
    <message>
        <source>it cannot be read</source>
        <translation>il ne peut pas être lu</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>le disque est plein</translation>
    </message>
    <message>
        <source>the file or its folder is not writable</source>
        <translation>le fichier ou son dossier n&apos;est pas accessible en écriture</translation>
    </message>
    <message>
        <source>what was written did not read back whole</source>
        <translation>ce qui a été écrit ne s&apos;est pas relu en entier</translation>
    </message>
    <message>
        <source>MervaneTimer: not reading the preferences in %1: %2; the defaults apply</source>
        <translation>MervaneTimer : préférences de %1 non lues : %2 ; les valeurs par défaut s&apos;appliquent</translation>
    </message>
</context>
<context>
    <name>ViewerServer</name>
    <message>
        <source>Only JSON text messages are understood</source>
        <translation>Seuls les messages texte JSON sont compris</translation>
    </message>
    <message>
        <source>This clock already has %1 viewers; try again later</source>
        <translation>Cette horloge a déjà %1 spectateurs ; réessayez plus tard</translation>
    </message>
    <message>
        <source>Not a JSON object</source>
        <translation>Ce n&apos;est pas un objet JSON</translation>
    </message>
    <message>
        <source>Unknown message type</source>
        <translation>Type de message inconnu</translation>
    </message>
    <message>
        <source>Unknown command</source>
        <translation>Commande inconnue</translation>
    </message>
    <message>
        <source>This clock takes no remote commands</source>
        <translation>Cette horloge n&apos;accepte pas de commandes à distance</translation>
    </message>
    <message>
        <source>Too many wrong PINs; try again in %1 s</source>
        <translation>Trop de PIN erronés ; réessayez dans %1 s</translation>
    </message>
    <message>
        <source>Remote commands are stopped after too many wrong PINs; the referee can turn them on again</source>
        <translation>Les commandes à distance sont arrêtées après trop de PIN erronés ; l&apos;arbitre peut les réactiver</translation>
    </message>
    <message>
        <source>Too many commands; wait a moment</source>
        <translation>Trop de commandes ; patientez un instant</translation>
    </message>
    <message>
        <source>Wrong PIN</source>
        <translation>PIN erroné</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Continue</source>
        <translation>Reprendre</translation>
    </message>
    <message>
        <source>Next phase</source>
        <translation>Phase suivante</translation>
    </message>
</context>
<context>
    <name>ViewerService</name>
    <message>
        <source>Viewers are off.</source>
        <translation>Spectateurs désactivés.</translation>
    </message>
    <message>
        <source>Port %1 is not a port from %2 to %3</source>
        <translation>Le port %1 n&apos;est pas un port de %2 à %3</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an address of this computer</source>
        <translation>« %1 » n&apos;est pas une adresse de cet ordinateur</translation>
    </message>
    <message>
        <source>Viewers are off: %1.</source>
        <translation>Spectateurs désactivés : %1.</translation>
    </message>
    <message>
        <source>Players open %1 (viewers now: %2)</source>
        <translation>Les joueurs ouvrent %1 (spectateurs en ce moment : %2)</translation>
    </message>
    <message>
        <source>Remote commands are stopped: %1 wrong PINs came since the PIN was set, so someone may be guessing. Turn them on again once that is sorted out.</source>
        <translation>Commandes à distance arrêtées : %1 PIN erronés reçus depuis que le PIN a été défini, quelqu&apos;un essaie peut-être de le deviner. Réactivez-les une fois le problème réglé.</translation>
    </message>
    <message>
        <source>Wrong PINs so far: %1 of the %2 that stop remote commands.</source>
        <translation>PIN erronés jusqu&apos;ici : %1 sur les %2 qui arrêtent les commandes à distance.</translation>
    </message>
    <message>
        <source>With %1 digits, those guesses find the PIN once in %2 tries; with %3 digits, once in %4.</source>
        <translation>Avec %1 chiffres, ces tentatives trouvent le PIN une fois sur %2 ; avec %3 chiffres, une fois sur %4.</translation>
    </message>
</context>
<context>
    <name>ViewerState</name>
    <message>
        <source>connection lost</source>
        <translation>connexion perdue</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Commandes</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN</translation>
    </message>
    <message>
        <source>Control PIN</source>
        <translation>PIN de contrôle</translation>
    </message>
    <message>
        <source>Sound on</source>
        <translation>Son activé</translation>
    </message>
    <message>
        <source>Sound off</source>
        <translation>Son coupé</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>MervaneTimer: cannot set the kept game in %1 aside as %2 (%3); resuming it</source>
        <translation>MervaneTimer : impossible de mettre de côté la partie conservée dans %1 sous %2 (%3) ; elle est reprise</translation>
    </message>
</context>
</TS>
