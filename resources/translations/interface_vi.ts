<?xml version="1.0" encoding="utf-8"?>
<!-- SPDX-License-Identifier: MIT -->
<!DOCTYPE TS>
<TS version="2.1" language="vi">
<context>
    <name>runNetlume</name>
    <message id="ui_assistantTitle">
        <source>Printer Setup Assistant</source>
        <extracomment>Title of the main window and of the reminder window.</extracomment>
        <translation>Trình hỗ trợ thiết lập máy in</translation>
    </message>
    <message id="ui_addPrinterTitle">
        <source>Add Printer</source>
        <extracomment>Title of the Add Printer window.</extracomment>
        <translation>Thêm máy in</translation>
    </message>
    <message id="ui_closeLockedDescription">
        <source>This window cannot be closed until you tick “Skip the USB connection”.</source>
        <extracomment>Screen readers: why the main window cannot be closed yet.</extracomment>
        <translation>Không thể đóng cửa sổ này cho đến khi bạn đánh dấu “Bỏ qua kết nối USB”.</translation>
    </message>
    <message id="ui_waitingForPrinter">
        <source>Waiting for your printer…</source>
        <extracomment>Connect screen: the line beside the activity indicator, shown while the assistant waits for a printer to be plugged in.</extracomment>
        <translation>Đang chờ máy in của bạn…</translation>
    </message>
    <message id="ui_skipDescription">
        <source>Go on without a printer connected. Ticking it unlocks Done and the window’s close button.</source>
        <extracomment>Screen readers: what the skip check box does.</extracomment>
        <translation>Tiếp tục mà không cần kết nối máy in. Đánh dấu sẽ mở khóa nút Xong và nút đóng cửa sổ.</translation>
    </message>
    <message id="ui_nextDescription">
        <source>Shows what is left to do before the printer setup is finished.</source>
        <extracomment>Screen readers: what Next does.</extracomment>
        <translation>Cho biết những việc còn lại trước khi hoàn tất thiết lập máy in.</translation>
    </message>
    <message id="ui_doneDescription">
        <source>Closes the assistant.</source>
        <extracomment>Screen readers: what an enabled Done button does.</extracomment>
        <translation>Đóng trình hỗ trợ.</translation>
    </message>
    <message id="ui_doneLockedDescription">
        <source>Unavailable until you tick “Skip the USB connection”, which unlocks Done and the window’s close button.</source>
        <extracomment>Screen readers: why Done on the connect screen is unavailable.</extracomment>
        <translation>Không dùng được cho đến khi bạn đánh dấu “Bỏ qua kết nối USB”, việc này mở khóa nút Xong và nút đóng cửa sổ.</translation>
    </message>
    <message id="ui_okDescription">
        <source>Starts the Wi-Fi setup tool and closes the assistant.</source>
        <extracomment>Screen readers: what OK on the Wi-Fi question does.</extracomment>
        <translation>Khởi động công cụ thiết lập Wi-Fi và đóng trình hỗ trợ.</translation>
    </message>
    <message id="ui_cancelDescription">
        <source>Adds the printer over USB instead.</source>
        <extracomment>Screen readers: what Cancel on the Wi-Fi question does.</extracomment>
        <translation>Thêm máy in qua USB thay vào đó.</translation>
    </message>
    <message id="ui_addPrinterDescription">
        <source>Opens the printer settings. After that, Done becomes available; the assistant closes once the settings are closed.</source>
        <extracomment>Screen readers: what Add Printer does.</extracomment>
        <translation>Mở cài đặt máy in. Sau đó nút Xong sẽ dùng được; trình hỗ trợ sẽ đóng khi cài đặt được đóng.</translation>
    </message>
    <message id="ui_addPrinterDoneLockedDescription">
        <source>Available once the printer settings have been opened with Add Printer.</source>
        <extracomment>Screen readers: why Done in the Add Printer window is unavailable.</extracomment>
        <translation>Dùng được sau khi cài đặt máy in được mở bằng nút Thêm máy in.</translation>
    </message>
    <message id="ui_warmPromptOk">
        <source>OK</source>
        <extracomment>Reminder window: the button that closes it.</extracomment>
        <translation>OK</translation>
    </message>
    <message id="ui_queueNote">
        <source>This printer already has a print queue: %1. You can print with it now, or add the printer again below.</source>
        <extracomment>Add-printer window, above the steps, shown only when the attached printer already has a print queue. %1: the queue names, quoted and separated by commas.</extracomment>
        <translation>Máy in này đã có hàng đợi in: %1. Bạn có thể in bằng hàng đợi đó ngay bây giờ, hoặc thêm lại máy in bên dưới.</translation>
    </message>
    <message id="ui_queueStateNote">
        <source>The print queue %1 cannot print now: it is stopped or does not accept jobs. Resume it in the printer settings, or add the printer again below.</source>
        <extracomment>Add-printer window, below the queue line, shown only when one of the attached printer's queues is stopped or rejects jobs. %1: those queue names, quoted and separated by commas.</extracomment>
        <translation>Hàng đợi in %1 hiện không thể in: hàng đợi đang dừng hoặc không nhận lệnh in. Hãy cho nó tiếp tục trong cài đặt máy in, hoặc thêm lại máy in bên dưới.</translation>
    </message>
    <message id="ui_ippUsbNote">
        <source>ipp-usb serves this printer without a driver, so the print queue %1 cannot print while it does. Print with the driverless queue that ipp-usb offers, or keep this queue and have ipp-usb leave this model alone.</source>
        <extracomment>Add-printer window, shown only when ipp-usb (a system service; keep its name) serves the attached printer while a driver's queue prints to it through USB, which then cannot print. %1: those queue names, quoted and separated by commas.</extracomment>
        <translation>ipp-usb đang phục vụ máy in này mà không cần trình điều khiển, nên hàng đợi in %1 không thể in trong lúc đó. Hãy in bằng hàng đợi không cần trình điều khiển mà ipp-usb cung cấp, hoặc giữ hàng đợi này và để ipp-usb bỏ qua mẫu máy này.</translation>
    </message>
    <message id="ui_driverlessNote">
        <source>Your %1 also prints without a driver, over IPP-over-USB: the printer settings may offer it as a driverless printer.</source>
        <extracomment>Add-printer window, shown only when the attached printer has no print queue yet and can print without a driver (IPP over USB). %1: the printer's maker and model.</extracomment>
        <translation>Máy %1 của bạn cũng in được mà không cần trình điều khiển, qua IPP-over-USB: cài đặt máy in có thể đưa ra nó như một máy in không cần trình điều khiển.</translation>
    </message>
    <message id="ui_dialogNote">
        <source>Add Printer opens the new-printer dialog with your %1 already chosen.
1. Check the driver it suggests, and click Forward on each page.
2. Name the printer if you like, then click Apply.
The assistant closes by itself once the dialog is closed.</source>
        <extracomment>Add-printer window, in place of the four steps when Add Printer will open the printer settings' new-printer dialog at the attached printer, which opens past the choice of the device. The button names are the dialog's own in this language. %1: the printer's maker and model.</extracomment>
        <translation>“Thêm máy in” mở hộp thoại “Máy in mới” với máy %1 của bạn đã được chọn sẵn.
1. Kiểm tra trình điều khiển được đề xuất và nhấn “Forward” ở mỗi trang.
2. Đặt tên cho máy in nếu muốn, rồi nhấn “Apply”.
Trình hỗ trợ sẽ tự đóng khi hộp thoại được đóng.</translation>
    </message>
</context>
</TS>
