<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: MIT -->
<!DOCTYPE TS>
<TS version="2.1" language="ko">
<context>
    <name>runNetlume</name>
    <message id="usbNeedString">
        <source>Connect your printer to this computer with a USB cable and switch it on. The assistant goes on by itself as soon as the printer is found.</source>
        <extracomment>Connect screen: the request to plug the printer in.</extracomment>
        <translation>USB 케이블로 프린터를 이 컴퓨터에 연결하고 전원을 켜십시오. 프린터가 감지되면 도우미가 자동으로 계속 진행합니다.</translation>
    </message>
    <message id="skipString">
        <source>Skip the USB connection</source>
        <extracomment>Connect screen: the skip check box and the text beside it.</extracomment>
        <translation>USB 연결 건너뛰기</translation>
    </message>
    <message id="nextString">
        <source>Next</source>
        <extracomment>Connect screen: the Next button.</extracomment>
        <translation>다음</translation>
    </message>
    <message id="Done">
        <source>Done</source>
        <extracomment>Done buttons of the connect screen and of the Add Printer window.</extracomment>
        <translation>완료</translation>
    </message>
    <message id="OK">
        <source>OK</source>
        <extracomment>Wi-Fi question: the button that starts the Wi-Fi setup tool.</extracomment>
        <translation>확인</translation>
    </message>
    <message id="Cancel">
        <source>Cancel</source>
        <extracomment>Wi-Fi question: the button that goes on over USB.</extracomment>
        <translation>취소</translation>
    </message>
    <message id="QuestionString">
        <source>Your printer can join a Wi-Fi network. Do you want to set up Wi-Fi now?</source>
        <extracomment>Wi-Fi question: the question itself.</extracomment>
        <translation>프린터를 Wi-Fi 네트워크에 연결할 수 있습니다. 지금 Wi-Fi를 설정하시겠습니까?</translation>
    </message>
    <message id="launchNetlumeNote">
        <source>Choose OK to start the Wi-Fi setup tool. Choose Cancel to add the printer over USB instead.</source>
        <extracomment>Wi-Fi question: the note below the question.</extracomment>
        <translation>Wi-Fi 설정 도구를 시작하려면 확인을 선택하십시오. 대신 USB로 프린터를 추가하려면 취소를 선택하십시오.</translation>
    </message>
    <message id="warmPrompt">
        <source>The printer setup is not finished yet.</source>
        <extracomment>Reminder window opened by Next.</extracomment>
        <translation>프린터 설정이 아직 끝나지 않았습니다.</translation>
    </message>
    <message id="addPrinter">
        <source>Add Printer</source>
        <extracomment>Add Printer window: its heading and the button that opens the printer settings.</extracomment>
        <translation>프린터 추가</translation>
    </message>
    <message id="stepsPromptString">
        <source>To add your printer, follow these four steps:</source>
        <extracomment>Add Printer window: introduces the four steps.</extracomment>
        <translation>프린터를 추가하려면 다음 네 단계를 따르십시오:</translation>
    </message>
    <message id="step1">
        <source>1. Click Add Printer below.</source>
        <extracomment>Add Printer window: step 1.</extracomment>
        <translation>1. 아래의 “프린터 추가”를 클릭합니다.</translation>
    </message>
    <message id="step2">
        <source>2. In the printer settings window, choose Add.</source>
        <extracomment>Add Printer window: step 2.</extracomment>
        <translation>2. 프린터 설정 창에서 “추가”를 선택합니다.</translation>
    </message>
    <message id="step3">
        <source>3. Select your printer in the list of USB printers.</source>
        <extracomment>Add Printer window: step 3.</extracomment>
        <translation>3. USB 프린터 목록에서 프린터를 선택합니다.</translation>
    </message>
    <message id="step4">
        <source>4. Confirm the driver and finish, then close the printer settings window.</source>
        <extracomment>Add Printer window: step 4.</extracomment>
        <translation>4. 드라이버를 확인하고 설정을 마친 다음 프린터 설정 창을 닫습니다.</translation>
    </message>
    <message id="addPrinterNote">
        <source>The assistant closes by itself once the printer settings window is closed.</source>
        <extracomment>Add Printer window: the note below the steps.</extracomment>
        <translation>프린터 설정 창이 닫히면 도우미도 자동으로 닫힙니다.</translation>
    </message>
</context>
</TS>
