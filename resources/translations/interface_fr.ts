<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: MIT -->
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>runNetlume</name>
    <message id="ui_assistantTitle">
        <source>Printer Setup Assistant</source>
        <extracomment>Title of the main window and of the reminder window.</extracomment>
        <translation>Assistant de configuration d’imprimante</translation>
    </message>
    <message id="ui_addPrinterTitle">
        <source>Add Printer</source>
        <extracomment>Title of the Add Printer window.</extracomment>
        <translation>Ajouter une imprimante</translation>
    </message>
    <message id="ui_closeLockedDescription">
        <source>This window cannot be closed until you tick “Skip the USB connection”.</source>
        <extracomment>Screen readers: why the main window cannot be closed yet.</extracomment>
        <translation>Cette fenêtre ne peut pas être fermée tant que vous n’avez pas coché « Ignorer la connexion USB ».</translation>
    </message>
    <message id="ui_waitingForPrinter">
        <source>Waiting for your printer…</source>
        <extracomment>Connect screen: the line beside the activity indicator, shown while the assistant waits for a printer to be plugged in.</extracomment>
        <translation>En attente de votre imprimante…</translation>
    </message>
    <message id="ui_skipDescription">
        <source>Go on without a printer connected. Ticking it unlocks Done and the window’s close button.</source>
        <extracomment>Screen readers: what the skip check box does.</extracomment>
        <translation>Continuer sans imprimante branchée. La cocher déverrouille Terminé et le bouton de fermeture de la fenêtre.</translation>
    </message>
    <message id="ui_nextDescription">
        <source>Shows what is left to do before the printer setup is finished.</source>
        <extracomment>Screen readers: what Next does.</extracomment>
        <translation>Indique ce qu’il reste à faire avant la fin de la configuration de l’imprimante.</translation>
    </message>
    <message id="ui_doneDescription">
        <source>Closes the assistant.</source>
        <extracomment>Screen readers: what an enabled Done button does.</extracomment>
        <translation>Ferme l’assistant.</translation>
    </message>
    <message id="ui_doneLockedDescription">
        <source>Unavailable until you tick “Skip the USB connection”, which unlocks Done and the window’s close button.</source>
        <extracomment>Screen readers: why Done on the connect screen is unavailable.</extracomment>
        <translation>Indisponible tant que vous n’avez pas coché « Ignorer la connexion USB », ce qui déverrouille Terminé et le bouton de fermeture de la fenêtre.</translation>
    </message>
    <message id="ui_okDescription">
        <source>Starts the Wi-Fi setup tool and closes the assistant.</source>
        <extracomment>Screen readers: what OK on the Wi-Fi question does.</extracomment>
        <translation>Lance l’outil de configuration Wi-Fi et ferme l’assistant.</translation>
    </message>
    <message id="ui_cancelDescription">
        <source>Adds the printer over USB instead.</source>
        <extracomment>Screen readers: what Cancel on the Wi-Fi question does.</extracomment>
        <translation>Ajoute plutôt l’imprimante en USB.</translation>
    </message>
    <message id="ui_addPrinterDescription">
        <source>Opens the printer settings. After that, Done becomes available; the assistant closes once the settings are closed.</source>
        <extracomment>Screen readers: what Add Printer does.</extracomment>
        <translation>Ouvre les paramètres d’impression. Ensuite, Terminé devient disponible ; l’assistant se ferme quand les paramètres sont fermés.</translation>
    </message>
    <message id="ui_addPrinterDoneLockedDescription">
        <source>Available once the printer settings have been opened with Add Printer.</source>
        <extracomment>Screen readers: why Done in the Add Printer window is unavailable.</extracomment>
        <translation>Disponible une fois les paramètres d’impression ouverts avec Ajouter une imprimante.</translation>
    </message>
    <message id="ui_warmPromptOk">
        <source>OK</source>
        <extracomment>Reminder window: the button that closes it.</extracomment>
        <translation>OK</translation>
    </message>
    <message id="ui_queueNote">
        <source>This printer already has a print queue: %1. You can print with it now, or add the printer again below.</source>
        <extracomment>Add-printer window, above the steps, shown only when the attached printer already has a print queue. %1: the queue names, quoted and separated by commas.</extracomment>
        <translation>Cette imprimante a déjà une file d’impression : %1. Vous pouvez imprimer dès maintenant, ou ajouter de nouveau l’imprimante ci-dessous.</translation>
    </message>
    <message id="ui_queueStateNote">
        <source>The print queue %1 cannot print now: it is stopped or does not accept jobs. Resume it in the printer settings, or add the printer again below.</source>
        <extracomment>Add-printer window, below the queue line, shown only when one of the attached printer's queues is stopped or rejects jobs. %1: those queue names, quoted and separated by commas.</extracomment>
        <translation>La file d’impression %1 ne peut pas imprimer pour l’instant : elle est arrêtée ou n’accepte pas de travaux. Reprenez-la dans les paramètres des imprimantes, ou ajoutez de nouveau l’imprimante ci-dessous.</translation>
    </message>
    <message id="ui_ippUsbNote">
        <source>ipp-usb serves this printer without a driver, so the print queue %1 cannot print while it does. Print with the driverless queue that ipp-usb offers, or keep this queue and have ipp-usb leave this model alone.</source>
        <extracomment>Add-printer window, shown only when ipp-usb (a system service; keep its name) serves the attached printer while a driver's queue prints to it through USB, which then cannot print. %1: those queue names, quoted and separated by commas.</extracomment>
        <translation>ipp-usb sert cette imprimante sans pilote, donc la file d’impression %1 ne peut pas imprimer tant qu’il le fait. Imprimez avec la file sans pilote proposée par ipp-usb, ou gardez cette file et faites en sorte qu’ipp-usb laisse ce modèle de côté.</translation>
    </message>
    <message id="ui_driverlessNote">
        <source>Your %1 also prints without a driver, over IPP-over-USB: the printer settings may offer it as a driverless printer.</source>
        <extracomment>Add-printer window, shown only when the attached printer has no print queue yet and can print without a driver (IPP over USB). %1: the printer's maker and model.</extracomment>
        <translation>Votre %1 imprime aussi sans pilote, via IPP sur USB : les paramètres des imprimantes peuvent la proposer comme imprimante sans pilote.</translation>
    </message>
    <message id="ui_dialogNote">
        <source>Add Printer opens the new-printer dialog with your %1 already chosen.
1. Check the driver it suggests, and click Forward on each page.
2. Name the printer if you like, then click Apply.
The assistant closes by itself once the dialog is closed.</source>
        <extracomment>Add-printer window, in place of the four steps when Add Printer will open the printer settings' new-printer dialog at the attached printer, which opens past the choice of the device. The button names are the dialog's own in this language. %1: the printer's maker and model.</extracomment>
        <translation>« Ajouter une imprimante » ouvre la fenêtre « Nouvelle imprimante » avec votre %1 déjà choisie.
1. Vérifiez le pilote proposé et cliquez sur « Suivant » à chaque page.
2. Nommez l’imprimante si vous le souhaitez, puis cliquez sur « Appliquer ».
L’assistant se ferme de lui-même une fois cette fenêtre fermée.</translation>
    </message>
</context>
</TS>
