<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: MIT -->
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>runNetlume</name>
    <message id="usbNeedString">
        <source>Connect your printer to this computer with a USB cable and switch it on. The assistant goes on by itself as soon as the printer is found.</source>
        <extracomment>Connect screen: the request to plug the printer in.</extracomment>
        <translation>Podłącz drukarkę do tego komputera kablem USB i włącz ją. Asystent przejdzie dalej sam, gdy tylko wykryje drukarkę.</translation>
    </message>
    <message id="skipString">
        <source>Skip the USB connection</source>
        <extracomment>Connect screen: the skip check box and the text beside it.</extracomment>
        <translation>Pomiń połączenie USB</translation>
    </message>
    <message id="nextString">
        <source>Next</source>
        <extracomment>Connect screen: the Next button.</extracomment>
        <translation>Dalej</translation>
    </message>
    <message id="Done">
        <source>Done</source>
        <extracomment>Done buttons of the connect screen and of the Add Printer window.</extracomment>
        <translation>Gotowe</translation>
    </message>
    <message id="OK">
        <source>OK</source>
        <extracomment>Wi-Fi question: the button that starts the Wi-Fi setup tool.</extracomment>
        <translation>OK</translation>
    </message>
    <message id="Cancel">
        <source>Cancel</source>
        <extracomment>Wi-Fi question: the button that goes on over USB.</extracomment>
        <translation>Anuluj</translation>
    </message>
    <message id="QuestionString">
        <source>Your printer can join a Wi-Fi network. Do you want to set up Wi-Fi now?</source>
        <extracomment>Wi-Fi question: the question itself.</extracomment>
        <translation>Twoja drukarka może łączyć się z siecią Wi-Fi. Czy chcesz teraz skonfigurować Wi-Fi?</translation>
    </message>
    <message id="launchNetlumeNote">
        <source>Choose OK to start the Wi-Fi setup tool. Choose Cancel to add the printer over USB instead.</source>
        <extracomment>Wi-Fi question: the note below the question.</extracomment>
        <translation>Wybierz OK, aby uruchomić narzędzie konfiguracji Wi-Fi. Wybierz Anuluj, aby zamiast tego dodać drukarkę przez USB.</translation>
    </message>
    <message id="warmPrompt">
        <source>The printer setup is not finished yet.</source>
        <extracomment>Reminder window opened by Next.</extracomment>
        <translation>Konfiguracja drukarki nie jest jeszcze zakończona.</translation>
    </message>
    <message id="addPrinter">
        <source>Add Printer</source>
        <extracomment>Add Printer window: its heading and the button that opens the printer settings.</extracomment>
        <translation>Dodaj drukarkę</translation>
    </message>
    <message id="stepsPromptString">
        <source>To add your printer, follow these four steps:</source>
        <extracomment>Add Printer window: introduces the four steps.</extracomment>
        <translation>Aby dodać drukarkę, wykonaj te cztery kroki:</translation>
    </message>
    <message id="step1">
        <source>1. Click Add Printer below.</source>
        <extracomment>Add Printer window: step 1.</extracomment>
        <translation>1. Kliknij poniżej „Dodaj drukarkę”.</translation>
    </message>
    <message id="step2">
        <source>2. In the printer settings window, choose Add.</source>
        <extracomment>Add Printer window: step 2.</extracomment>
        <translation>2. W oknie ustawień drukarek wybierz „Dodaj”.</translation>
    </message>
    <message id="step3">
        <source>3. Select your printer in the list of USB printers.</source>
        <extracomment>Add Printer window: step 3.</extracomment>
        <translation>3. Wybierz swoją drukarkę z listy drukarek USB.</translation>
    </message>
    <message id="step4">
        <source>4. Confirm the driver and finish, then close the printer settings window.</source>
        <extracomment>Add Printer window: step 4.</extracomment>
        <translation>4. Potwierdź sterownik i zakończ, a następnie zamknij okno ustawień drukarek.</translation>
    </message>
    <message id="addPrinterNote">
        <source>The assistant closes by itself once the printer settings window is closed.</source>
        <extracomment>Add Printer window: the note below the steps.</extracomment>
        <translation>Asystent zamknie się sam po zamknięciu okna ustawień drukarek.</translation>
    </message>
</context>
</TS>
