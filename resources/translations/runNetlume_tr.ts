<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: MIT -->
<!DOCTYPE TS>
<TS version="2.1" language="tr">
<context>
    <name>runNetlume</name>
    <message id="usbNeedString">
        <source>Connect your printer to this computer with a USB cable and switch it on. The assistant goes on by itself as soon as the printer is found.</source>
        <extracomment>Connect screen: the request to plug the printer in.</extracomment>
        <translation>Yazıcınızı bu bilgisayara bir USB kablosuyla bağlayın ve açın. Yazıcı bulunur bulunmaz yardımcı kendiliğinden devam eder.</translation>
    </message>
    <message id="skipString">
        <source>Skip the USB connection</source>
        <extracomment>Connect screen: the skip check box and the text beside it.</extracomment>
        <translation>USB bağlantısını atla</translation>
    </message>
    <message id="nextString">
        <source>Next</source>
        <extracomment>Connect screen: the Next button.</extracomment>
        <translation>İleri</translation>
    </message>
    <message id="Done">
        <source>Done</source>
        <extracomment>Done buttons of the connect screen and of the Add Printer window.</extracomment>
        <translation>Bitti</translation>
    </message>
    <message id="OK">
        <source>OK</source>
        <extracomment>Wi-Fi question: the button that starts the Wi-Fi setup tool.</extracomment>
        <translation>Tamam</translation>
    </message>
    <message id="Cancel">
        <source>Cancel</source>
        <extracomment>Wi-Fi question: the button that goes on over USB.</extracomment>
        <translation>İptal</translation>
    </message>
    <message id="QuestionString">
        <source>Your printer can join a Wi-Fi network. Do you want to set up Wi-Fi now?</source>
        <extracomment>Wi-Fi question: the question itself.</extracomment>
        <translation>Yazıcınız bir Wi-Fi ağına katılabilir. Wi-Fi bağlantısını şimdi kurmak ister misiniz?</translation>
    </message>
    <message id="launchNetlumeNote">
        <source>Choose OK to start the Wi-Fi setup tool. Choose Cancel to add the printer over USB instead.</source>
        <extracomment>Wi-Fi question: the note below the question.</extracomment>
        <translation>Wi-Fi kurulum aracını başlatmak için Tamam’ı seçin. Bunun yerine yazıcıyı USB üzerinden eklemek için İptal’i seçin.</translation>
    </message>
    <message id="warmPrompt">
        <source>The printer setup is not finished yet.</source>
        <extracomment>Reminder window opened by Next.</extracomment>
        <translation>Yazıcı kurulumu henüz bitmedi.</translation>
    </message>
    <message id="addPrinter">
        <source>Add Printer</source>
        <extracomment>Add Printer window: its heading and the button that opens the printer settings.</extracomment>
        <translation>Yazıcı Ekle</translation>
    </message>
    <message id="stepsPromptString">
        <source>To add your printer, follow these four steps:</source>
        <extracomment>Add Printer window: introduces the four steps.</extracomment>
        <translation>Yazıcınızı eklemek için şu dört adımı izleyin:</translation>
    </message>
    <message id="step1">
        <source>1. Click Add Printer below.</source>
        <extracomment>Add Printer window: step 1.</extracomment>
        <translation>1. Aşağıdaki “Yazıcı Ekle” düğmesine tıklayın.</translation>
    </message>
    <message id="step2">
        <source>2. In the printer settings window, choose Add.</source>
        <extracomment>Add Printer window: step 2.</extracomment>
        <translation>2. Yazıcı ayarları penceresinde “Ekle”yi seçin.</translation>
    </message>
    <message id="step3">
        <source>3. Select your printer in the list of USB printers.</source>
        <extracomment>Add Printer window: step 3.</extracomment>
        <translation>3. USB yazıcıları listesinde yazıcınızı seçin.</translation>
    </message>
    <message id="step4">
        <source>4. Confirm the driver and finish, then close the printer settings window.</source>
        <extracomment>Add Printer window: step 4.</extracomment>
        <translation>4. Sürücüyü onaylayıp kurulumu bitirin, ardından yazıcı ayarları penceresini kapatın.</translation>
    </message>
    <message id="addPrinterNote">
        <source>The assistant closes by itself once the printer settings window is closed.</source>
        <extracomment>Add Printer window: the note below the steps.</extracomment>
        <translation>Yazıcı ayarları penceresi kapandığında yardımcı kendiliğinden kapanır.</translation>
    </message>
</context>
</TS>
