<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW">
<context>
    <name>Messages</name>
    <message>
        <source>wrote the wiring test to the board on %1 (%2 bytes); compare the sign with the preview&apos;s test pattern</source>
        <translation>已燒錄測試圖樣到 %1：寫入 %2 位元組。在預覽按「測試圖樣」，對照招牌檢查接線</translation>
    </message>
    <message>
        <source>wrote %1 bytes to the board on %2</source>
        <translation>已燒錄到 %2：寫入 %1 位元組</translation>
    </message>
    <message>
        <source>the Arduino tools are not installed; install the Debian packages: sudo apt install %1</source>
        <translation>尚未安裝 Arduino 工具，請安裝 Debian 套件：sudo apt install %1</translation>
    </message>
    <message>
        <source>the sketch did not compile: %1</source>
        <translation>程式無法編譯：%1</translation>
    </message>
    <message>
        <source>cannot make the build folder %1: %2; free some space or set TMPDIR to a folder you can write</source>
        <translation>無法建立編譯資料夾 %1：%2。請空出磁碟空間，或把 TMPDIR 設為可寫入的資料夾</translation>
    </message>
    <message>
        <source>cannot use the cache folder %1: %2; make it a folder you can write, or set XDG_CACHE_HOME to one</source>
        <translation>無法使用快取資料夾 %1：%2。請讓它成為可寫入的資料夾，或把 XDG_CACHE_HOME 設為可寫入的資料夾</translation>
    </message>
    <message>
        <source>the sketch needs %1 bytes of SRAM, more than the board&apos;s %2; shorten the text</source>
        <translation>程式需要 %1 位元組 SRAM，超過板子的 %2，請縮短文字</translation>
    </message>
    <message>
        <source>there is no port %1; plug the board in and pick its port</source>
        <translation>找不到連接埠 %1，請接上板子，再選擇它的連接埠</translation>
    </message>
    <message>
        <source>%1 is not a serial port; pick the board&apos;s port, such as /dev/ttyACM0</source>
        <translation>%1 不是序列埠，請選擇板子的連接埠，例如 /dev/ttyACM0</translation>
    </message>
    <message>
        <source>the port %1 went away during the upload; plug the board in again and upload again</source>
        <translation>燒錄時連接埠 %1 中斷了，請重新接上板子再燒錄一次</translation>
    </message>
    <message>
        <source>no permission to open %1; add yourself to the group dialout (sudo usermod -aG dialout $USER), then log out and in again</source>
        <translation>沒有權限開啟 %1：請把使用者加入 dialout 群組（sudo usermod -aG dialout $USER），然後登出再登入</translation>
    </message>
    <message>
        <source>no Arduino Mega 2560 answers on %1; check that the board is a Mega 2560, that this is its port, and that no other program, such as a serial monitor, holds the port</source>
        <translation>%1 上的板子沒有回應：請確認板子是 Arduino Mega 2560、連接埠正確，且沒有其他程式（例如序列埠監控視窗）占用它</translation>
    </message>
    <message>
        <source>the upload to %1 failed: %2</source>
        <translation>燒錄到 %1 失敗：%2</translation>
    </message>
    <message>
        <source>the upload was canceled; the board may hold part of a program: upload again</source>
        <translation>已取消燒錄，板子上的程式可能不完整，請再燒錄一次</translation>
    </message>
    <message>
        <source>compiling</source>
        <translation>編譯中…</translation>
    </message>
    <message>
        <source>connecting to the board</source>
        <translation>連接板子…</translation>
    </message>
    <message>
        <source>writing %1%</source>
        <translation>寫入板子 %1%</translation>
    </message>
    <message>
        <source>verifying %1%</source>
        <translation>驗證 %1%</translation>
    </message>
    <message>
        <source>cannot read %1: %2</source>
        <translation>無法讀取 %1：%2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>無法寫入 %1：%2</translation>
    </message>
    <message>
        <source>cannot write to standard output: %1</source>
        <translation>無法寫入標準輸出：%1</translation>
    </message>
    <message>
        <source>%1 is not UTF-8: byte %2 is invalid</source>
        <translation>%1 不是 UTF-8：第 %2 個位元組無效</translation>
    </message>
    <message>
        <source>the title is longer than the %1 characters a text box takes; shorten it</source>
        <translation>標題超過文字方塊可容納的 %1 個字元，請縮短</translation>
    </message>
    <message>
        <source>the text is longer than the %1 characters a text box takes; shorten it</source>
        <translation>文字超過文字方塊可容納的 %1 個字元，請縮短</translation>
    </message>
    <message>
        <source>the title is %1 columns wide; the sign shows its first %2</source>
        <translation>標題寬 %1 欄，招牌只顯示前 %2 欄</translation>
    </message>
    <message>
        <source>, </source>
        <translation>、</translation>
    </message>
    <message>
        <source>%1 has no glyph for %2; the sign shows a box</source>
        <translation>%1沒有%2的字形，招牌上會顯示方框</translation>
    </message>
    <message>
        <source>%1 has no glyph for %2; another installed face draws them</source>
        <translation>%1沒有%2的字形，會改用其他字型顯示</translation>
    </message>
    <message>
        <source>%1 has no glyph for %2; another installed face draws it</source>
        <translation>%1沒有%2的字形，會改用其他字型顯示</translation>
    </message>
    <message>
        <source>no fonts are installed, so every character is a box; install the Debian packages: sudo apt install fonts-arphic-uming fonts-cns11643-kai</source>
        <translation>沒有安裝任何字型，每個字都會顯示成方框。請安裝 Debian 套件：sudo apt install fonts-arphic-uming fonts-cns11643-kai</translation>
    </message>
    <message>
        <source>stopped by %1; the board may hold part of a program: upload again</source>
        <translation>已被 %1 中止，板子上的程式可能不完整，請再燒錄一次</translation>
    </message>
    <message>
        <source>stopped by %1</source>
        <translation>已被 %1 中止</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>a character, its code point</comment>
        <translation>「%1」(%2)</translation>
    </message>
    <message>
        <source>it is closed</source>
        <translation>它已關閉</translation>
    </message>
    <message>
        <source>the upload is not finished: closing now leaves part of a program on the board, and the sign shows nothing until you upload again. Close anyway?</source>
        <translation>燒錄還沒完成：現在關閉，板子上只會留下部分程式，重新燒錄之前招牌不會正常顯示。仍要關閉嗎？</translation>
    </message>
    <message>
        <source>cannot write the sketch in Big5: %1</source>
        <translation>無法以 Big5 寫出程式：%1</translation>
    </message>
    <message>
        <source>this Qt has no Big5 (CP950) encoder</source>
        <translation>這個 Qt 沒有 Big5 (CP950) 編碼器</translation>
    </message>
    <message>
        <source>no port is chosen; plug the board in, then pick or type its port</source>
        <translation>請先接上板子，再選擇或輸入它的連接埠</translation>
    </message>
    <message>
        <source>the home folder %1 does not exist</source>
        <translation>家目錄 %1 不存在</translation>
    </message>
    <message>
        <source>the show needs %1 bytes of flash, more than the %2 the board takes below its bootloader; shorten the texts</source>
        <translation>節目需要 %1 位元組快閃記憶體，超過板子在開機程式以下可用的 %2，請縮短文字</translation>
    </message>
    <message>
        <source>%1 is not a show this program reads: %2</source>
        <translation>%1 不是本程式能讀的節目：%2</translation>
    </message>
    <message>
        <source>it is larger than %1 bytes</source>
        <translation>檔案大於 %1 位元組</translation>
    </message>
    <message>
        <source>line %1, column %2</source>
        <translation>第 %1 行第 %2 欄</translation>
    </message>
    <message>
        <source>there is no field &quot;%1&quot;; the fields are %2</source>
        <translation>沒有「%1」這個欄位，欄位有 %2</translation>
    </message>
    <message>
        <source>%1 must be a whole number from %2 to %3</source>
        <translation>%1 必須是 %2 到 %3 的整數</translation>
    </message>
    <message>
        <source>%1 must be true or false</source>
        <translation>%1 必須是 true 或 false</translation>
    </message>
    <message>
        <source>%1 must be a text</source>
        <translation>%1 必須是文字</translation>
    </message>
    <message>
        <source>scene %1</source>
        <translation>第 %1 場</translation>
    </message>
    <message>
        <source>a scene must be an object with a text and an effect</source>
        <translation>每一場必須是含有 text 和 effect 的物件</translation>
    </message>
    <message>
        <source>there is no effect &quot;%1&quot;; the effects are %2</source>
        <translation>沒有「%1」這個效果，效果有 %2</translation>
    </message>
    <message>
        <source>not JSON: %1: %2</source>
        <translation>不是 JSON：%1：%2</translation>
    </message>
    <message>
        <source>it must hold one object, with its scenes</source>
        <translation>檔案必須是一個含有各場節目的物件</translation>
    </message>
    <message>
        <source>there is no face &quot;%1&quot;; the faces are ming, kai, %2 and %3</source>
        <translation>沒有「%1」這個字型，字型有 ming、kai、%2 和 %3</translation>
    </message>
    <message>
        <source>it has no scenes</source>
        <translation>節目沒有任何一場</translation>
    </message>
</context>
</TS>
