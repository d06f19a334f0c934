<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>ActionTable</name>
    <message>
        <source>新規作成(&amp;N)</source>
        <translation>&amp;New</translation>
    </message>
    <message>
        <source>開く(&amp;O)...</source>
        <translation>&amp;Open...</translation>
    </message>
    <message>
        <source>再読み込み(&amp;R)</source>
        <translation>&amp;Reload</translation>
    </message>
    <message>
        <source>上書き保存(&amp;S)</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>名前を付けて保存(&amp;A)...</source>
        <translation>Save &amp;As...</translation>
    </message>
    <message>
        <source>スナップショットを保存(&amp;T)</source>
        <translation>Save Snaps&amp;hot</translation>
    </message>
    <message>
        <source>スナップショットを開く(&amp;P)...</source>
        <translation>O&amp;pen Snapshot...</translation>
    </message>
    <message>
        <source>終了(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>元に戻す(&amp;U)</source>
        <translation>&amp;Undo</translation>
    </message>
    <message>
        <source>やり直し(&amp;R)</source>
        <translation>&amp;Redo</translation>
    </message>
    <message>
        <source>切り取り(&amp;T)</source>
        <translation>Cu&amp;t</translation>
    </message>
    <message>
        <source>コピー(&amp;C)</source>
        <translation>&amp;Copy</translation>
    </message>
    <message>
        <source>貼り付け(&amp;P)</source>
        <translation>&amp;Paste</translation>
    </message>
    <message>
        <source>減色して貼り付け(&amp;O)</source>
        <translation>Paste with Colour &amp;Optimisation</translation>
    </message>
    <message>
        <source>削除(&amp;D)</source>
        <translation>&amp;Delete</translation>
    </message>
    <message>
        <source>すべて選択(&amp;L)</source>
        <translation>Select A&amp;ll</translation>
    </message>
    <message>
        <source>クリップボードを空にする(&amp;B)</source>
        <translation>Empty the Clip&amp;board</translation>
    </message>
    <message>
        <source>左右反転(&amp;H)</source>
        <translation>Mirror &amp;Horizontally</translation>
    </message>
    <message>
        <source>上下反転(&amp;V)</source>
        <translation>Mirror &amp;Vertically</translation>
    </message>
    <message>
        <source>左に回転(&amp;1)</source>
        <translation>&amp;1 Turn Left</translation>
    </message>
    <message>
        <source>右に回転(&amp;2)</source>
        <translation>&amp;2 Turn Right</translation>
    </message>
    <message>
        <source>↑に1ドットシフト(&amp;3)</source>
        <translation>&amp;3 Shift One Dot ↑</translation>
    </message>
    <message>
        <source>↓に1ドットシフト(&amp;4)</source>
        <translation>&amp;4 Shift One Dot ↓</translation>
    </message>
    <message>
        <source>←に1ドットシフト(&amp;5)</source>
        <translation>&amp;5 Shift One Dot ←</translation>
    </message>
    <message>
        <source>→に1ドットシフト(&amp;6)</source>
        <translation>&amp;6 Shift One Dot →</translation>
    </message>
    <message>
        <source>アドレス最初(&amp;1)</source>
        <translation>&amp;1 First Address</translation>
    </message>
    <message>
        <source>アドレス-100ブロック(&amp;2)</source>
        <translation>&amp;2 Address -100 Blocks</translation>
    </message>
    <message>
        <source>アドレス-10ブロック(&amp;3)</source>
        <translation>&amp;3 Address -10 Blocks</translation>
    </message>
    <message>
        <source>アドレス-1ブロック(&amp;4)</source>
        <translation>&amp;4 Address -1 Block</translation>
    </message>
    <message>
        <source>アドレス-1(&amp;5)</source>
        <translation>&amp;5 Address -1</translation>
    </message>
    <message>
        <source>アドレス+1(&amp;6)</source>
        <translation>&amp;6 Address +1</translation>
    </message>
    <message>
        <source>アドレス+1ブロック(&amp;7)</source>
        <translation>&amp;7 Address +1 Block</translation>
    </message>
    <message>
        <source>アドレス+10ブロック(&amp;8)</source>
        <translation>&amp;8 Address +10 Blocks</translation>
    </message>
    <message>
        <source>アドレス+100ブロック(&amp;9)</source>
        <translation>&amp;9 Address +100 Blocks</translation>
    </message>
    <message>
        <source>アドレス最後(&amp;0)</source>
        <translation>&amp;0 Last Address</translation>
    </message>
    <message>
        <source>ホイール↑</source>
        <translation>Wheel ↑</translation>
    </message>
    <message>
        <source>ホイール↓</source>
        <translation>Wheel ↓</translation>
    </message>
    <message>
        <source>アドレス入力(&amp;A)</source>
        <translation>Enter &amp;Address</translation>
    </message>
    <message>
        <source>次の画像を探す(&amp;F)...</source>
        <translation>&amp;Find Next Graphics...</translation>
    </message>
    <message>
        <source>前の画像を探す(&amp;P)...</source>
        <translation>Find &amp;Previous Graphics...</translation>
    </message>
    <message>
        <source>スタンプ(&amp;0)</source>
        <translation>&amp;0 Stamp</translation>
    </message>
    <message>
        <source>ペン(&amp;1)</source>
        <translation>&amp;1 Pen</translation>
    </message>
    <message>
        <source>ペン(市松)(&amp;2)</source>
        <translation>&amp;2 Checker Pen</translation>
    </message>
    <message>
        <source>線(&amp;3)</source>
        <translation>&amp;3 Line</translation>
    </message>
    <message>
        <source>長方形(塗り)(&amp;4)</source>
        <translation>&amp;4 Filled Rectangle</translation>
    </message>
    <message>
        <source>長方形(市松)(&amp;5)</source>
        <translation>&amp;5 Checkered Rectangle</translation>
    </message>
    <message>
        <source>長方形(枠線)(&amp;6)</source>
        <translation>&amp;6 Rectangle Outline</translation>
    </message>
    <message>
        <source>円(塗り)(&amp;7)</source>
        <translation>&amp;7 Filled Ellipse</translation>
    </message>
    <message>
        <source>円(枠線)(&amp;8)</source>
        <translation>&amp;8 Ellipse Outline</translation>
    </message>
    <message>
        <source>塗り潰し(&amp;9)</source>
        <translation>&amp;9 Flood Fill</translation>
    </message>
    <message>
        <source>パレットセット</source>
        <translation>Palette Set</translation>
    </message>
    <message>
        <source>パレット&amp;0選択</source>
        <translation>Palette &amp;0</translation>
    </message>
    <message>
        <source>パレット&amp;1選択</source>
        <translation>Palette &amp;1</translation>
    </message>
    <message>
        <source>パレット&amp;2選択</source>
        <translation>Palette &amp;2</translation>
    </message>
    <message>
        <source>パレット&amp;3選択</source>
        <translation>Palette &amp;3</translation>
    </message>
    <message>
        <source>パレット＋パレットセット(&amp;S)</source>
        <translation>Palette + Palette &amp;Set</translation>
    </message>
    <message>
        <source>パレットのみ(&amp;P)</source>
        <translation>&amp;Palette Only</translation>
    </message>
    <message>
        <source>エミュレータのセーブデータを開く(&amp;S)...</source>
        <translation>Open Emulator &amp;Save-State...</translation>
    </message>
    <message>
        <source>パレット定義(*.dat)を開く(&amp;D)...</source>
        <translation>Open Palette Set (*.&amp;dat)...</translation>
    </message>
    <message>
        <source>パレット定義(*.dat)を保存(&amp;T)...</source>
        <translation>Save Palette Set (*.da&amp;t)...</translation>
    </message>
    <message>
        <source>パレット定義をROM名で保存</source>
        <translation>Save Palette Set Under the ROM Name</translation>
    </message>
    <message>
        <source>パレット(*.pal)を開く(&amp;P)...</source>
        <translation>Open &amp;Palette (*.pal)...</translation>
    </message>
    <message>
        <source>パレット(*.pal)を保存(&amp;L)...</source>
        <translation>Save Pa&amp;lette (*.pal)...</translation>
    </message>
    <message>
        <source>パレットをROM名で保存</source>
        <translation>Save Palette Under the ROM Name</translation>
    </message>
    <message>
        <source>BGセット(*.adf)を開く(&amp;A)...</source>
        <translation>Open Patterns (*.&amp;adf)...</translation>
    </message>
    <message>
        <source>BGセット(*.adf)を保存(&amp;F)...</source>
        <translation>Save Patterns (*.ad&amp;f)...</translation>
    </message>
    <message>
        <source>BGセットをROM名で保存(&amp;M)</source>
        <translation>Save Patterns Under the ROM Na&amp;me</translation>
    </message>
    <message>
        <source>パレットセット(*.col)を開く...</source>
        <translation>Open Colour Set (*.col)...</translation>
    </message>
    <message>
        <source>パレットセット(*.col)を保存...</source>
        <translation>Save Colour Set (*.col)...</translation>
    </message>
    <message>
        <source>パレットセットをROM名で保存</source>
        <translation>Save Colour Set Under the ROM Name</translation>
    </message>
    <message>
        <source>パレットセットを有効にする(&amp;Z)</source>
        <translation>Use the Colour Set (&amp;Z)</translation>
    </message>
    <message>
        <source>全て標準に戻す(&amp;F)</source>
        <translation>Restore All Standard Palettes (&amp;F)</translation>
    </message>
    <message>
        <source>色の置換(&amp;R)...</source>
        <translation>&amp;Replace Colours...</translation>
    </message>
    <message>
        <source>ファイルの実行(&amp;E)</source>
        <translation>Op&amp;en the File</translation>
    </message>
    <message>
        <source>ツール&amp;0を実行...</source>
        <translation>Run Tool &amp;0...</translation>
    </message>
    <message>
        <source>ツール&amp;1を実行...</source>
        <translation>Run Tool &amp;1...</translation>
    </message>
    <message>
        <source>ツール&amp;2を実行...</source>
        <translation>Run Tool &amp;2...</translation>
    </message>
    <message>
        <source>ツール&amp;3を実行...</source>
        <translation>Run Tool &amp;3...</translation>
    </message>
    <message>
        <source>ツール&amp;4を実行...</source>
        <translation>Run Tool &amp;4...</translation>
    </message>
    <message>
        <source>ツール&amp;5を実行...</source>
        <translation>Run Tool &amp;5...</translation>
    </message>
    <message>
        <source>ツール&amp;6を実行...</source>
        <translation>Run Tool &amp;6...</translation>
    </message>
    <message>
        <source>ツール&amp;7を実行...</source>
        <translation>Run Tool &amp;7...</translation>
    </message>
    <message>
        <source>ツール&amp;8を実行...</source>
        <translation>Run Tool &amp;8...</translation>
    </message>
    <message>
        <source>ツール&amp;9を実行...</source>
        <translation>Run Tool &amp;9...</translation>
    </message>
    <message>
        <source>ツール設定(&amp;C)...</source>
        <translation>Tool Settings (&amp;C)...</translation>
    </message>
    <message>
        <source>ファイルの実行設定(&amp;P)...</source>
        <translation>File O&amp;pening Settings...</translation>
    </message>
    <message>
        <source>セットウィンドウを表示...(&amp;S)</source>
        <translation>Show the &amp;Set Window...</translation>
    </message>
    <message>
        <source>Tavrinウィンドウ色選択(&amp;F)...</source>
        <translation>Tavrin Window Colour (&amp;F)...</translation>
    </message>
    <message>
        <source>ステータスバーを表示(&amp;S)</source>
        <translation>Show the &amp;Status Bar</translation>
    </message>
    <message>
        <source>設定(&amp;C)...</source>
        <translation>Settings (&amp;C)...</translation>
    </message>
    <message>
        <source>簡易メニュー(&amp;M)</source>
        <translation>Simple &amp;Menus</translation>
    </message>
    <message>
        <source>マウスナビゲーションを表示(&amp;N)</source>
        <translation>Show Mouse &amp;Navigation</translation>
    </message>
    <message>
        <source>フォーマット設定</source>
        <translation>Format Settings</translation>
    </message>
    <message>
        <source>目次(&amp;I)...</source>
        <translation>Contents (&amp;I)...</translation>
    </message>
    <message>
        <source>最新版を探す(公式URLを開く)(&amp;L)...</source>
        <translation>Look for the &amp;Latest Version (Home Page)...</translation>
    </message>
    <message>
        <source>バグ報告・要望の投稿(&amp;B)...</source>
        <translation>Report a &amp;Bug or Request...</translation>
    </message>
    <message>
        <source>バージョン情報(&amp;A)...</source>
        <translation>&amp;About Tavrin...</translation>
    </message>
    <message>
        <source>現在の設定を保存(&amp;S)</source>
        <translation>&amp;Save the Current Settings</translation>
    </message>
    <message>
        <source>設定を再読み込み(&amp;S)</source>
        <translation>Reload the &amp;Settings</translation>
    </message>
    <message>
        <source>メニューを設定する</source>
        <translation>Set Up the Menus</translation>
    </message>
</context>
<context>
    <name>Editor</name>
    <message>
        <source>描画領域選択</source>
        <translation>Choose edit area</translation>
    </message>
    <message>
        <source>領域選択</source>
        <translation>Select area</translation>
    </message>
    <message>
        <source>描画：</source>
        <translation>Draw: </translation>
    </message>
    <message>
        <source>スポイト</source>
        <translation>Pick colour</translation>
    </message>
    <message>
        <source>描画パレット選択</source>
        <translation>Choose drawing palette</translation>
    </message>
    <message>
        <source>パレットエディタ</source>
        <translation>Palette editor</translation>
    </message>
    <message>
        <source>セット色選択</source>
        <translation>Choose set colour</translation>
    </message>
    <message>
        <source>CHR : %06X - %06X / %06X</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pattern : ADF[%02X] = %02X </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(データの終わりより後ろ)</source>
        <translation>(past the end of the data)</translation>
    </message>
    <message>
        <source>Failed to copy image to clipboard.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The snapshot could not be written:
</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ROM image|@@@|All files|*.*</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unknown Address Type.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>not found.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Files</name>
    <message>
        <source>アクセスが許可されていません。</source>
        <translation>Access is not permitted.</translation>
    </message>
    <message>
        <source>ディスクの空きが足りません。</source>
        <translation>The disk is full.</translation>
    </message>
    <message>
        <source>書き込みできない場所です。</source>
        <translation>This place cannot be written to.</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます。</source>
        <translation>The file is too large.</translation>
    </message>
    <message>
        <source>フォルダーが見つかりません。</source>
        <translation>The folder was not found.</translation>
    </message>
    <message>
        <source>フォルダーです。</source>
        <translation>It is a folder.</translation>
    </message>
    <message>
        <source>入出力エラーが起きました。</source>
        <translation>An input/output error occurred.</translation>
    </message>
    <message>
        <source>ファイルが見つかりません。</source>
        <translation>The file was not found.</translation>
    </message>
    <message>
        <source>通常のファイルではありません（フォルダーなど）。</source>
        <translation>It is not a regular file (a folder or the like).</translation>
    </message>
    <message>
        <source>ファイルが大きすぎます（2 GiB まで）。</source>
        <translation>The file is too large (2 GiB at most).</translation>
    </message>
    <message>
        <source>ファイルの内容が正しくありません。</source>
        <translation>The contents of the file are not valid.</translation>
    </message>
    <message>
        <source>取り消しました。</source>
        <translation>Cancelled.</translation>
    </message>
    <message>
        <source>読み込めませんでした。</source>
        <translation>It could not be read.</translation>
    </message>
    <message>
        <source>書き込めませんでした。</source>
        <translation>It could not be written.</translation>
    </message>
    <message>
        <source>ファイルを開けませんでした：
</source>
        <translation>The file could not be opened:
</translation>
    </message>
    <message>
        <source>ファイルを保存できませんでした：
</source>
        <translation>The file could not be saved:
</translation>
    </message>
</context>
<context>
    <name>Pens</name>
    <message>
        <source>スタンプ</source>
        <translation>Stamp</translation>
    </message>
    <message>
        <source>ペン</source>
        <translation>Pen</translation>
    </message>
    <message>
        <source>ペン(市松)</source>
        <translation>Checker pen</translation>
    </message>
    <message>
        <source>線</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>長方形(塗り)</source>
        <translation>Filled rectangle</translation>
    </message>
    <message>
        <source>長方形(市松)</source>
        <translation>Checkered rectangle</translation>
    </message>
    <message>
        <source>長方形(線)</source>
        <translation>Rectangle outline</translation>
    </message>
    <message>
        <source>円(塗り)</source>
        <translation>Filled ellipse</translation>
    </message>
    <message>
        <source>円(線)</source>
        <translation>Ellipse outline</translation>
    </message>
    <message>
        <source>塗り潰し</source>
        <translation>Flood fill</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>設定ファイルが 1 MiB を超えているため読み込みませんでした。終了時にも書き込みません：
</source>
        <translation>The settings file is larger than 1 MiB and was not read. It will not be written at exit either:
</translation>
    </message>
</context>
<context>
    <name>TFormSet</name>
    <message>
        <source>セットファイルを開く(&amp;O)...</source>
        <translation>&amp;Open Set File...</translation>
    </message>
    <message>
        <source>開く</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>セットファイルを保存(&amp;S)...</source>
        <translation>&amp;Save Set File...</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>SETの画像を保存(&amp;P)...</source>
        <translation>Save the Set &amp;Picture...</translation>
    </message>
    <message>
        <source>画像</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>エミュレータのセーブデータを開く(&amp;S)...</source>
        <translation>Open Emulator &amp;Save-State...</translation>
    </message>
    <message>
        <source>閉じる(&amp;C)</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>全て選択(&amp;L)</source>
        <translation>Select A&amp;ll</translation>
    </message>
    <message>
        <source>DRAWモード：カーソル位置のCHR(左)を、SET(右)に設定(&amp;R)</source>
        <translation>DRAW Mode: Put the CHR Tile (Left) into the SET (&amp;Right)</translation>
    </message>
    <message>
        <source>TYPEモード：カーソル位置のSET(右)を、CHR(左)から選択(&amp;L)</source>
        <translation>TYPE Mode: Fill the SET Cursor (Right) from the CHR (&amp;Left)</translation>
    </message>
    <message>
        <source>スプライトモード</source>
        <translation>Sprite Mode</translation>
    </message>
    <message>
        <source>スプライト</source>
        <translation>Sprites</translation>
    </message>
    <message>
        <source>パレットを16x16単位で持つ(&amp;P)</source>
        <translation>One &amp;Palette per 16x16 Block</translation>
    </message>
    <message>
        <source>CHR側のグリッドを表示(&amp;C)</source>
        <translation>Show the &amp;CHR Grid</translation>
    </message>
    <message>
        <source>CHRグリッド</source>
        <translation>CHR grid</translation>
    </message>
    <message>
        <source>BGセット側のグリッドを表示(&amp;B)</source>
        <translation>Show the &amp;BG Grid</translation>
    </message>
    <message>
        <source>BGグリッド</source>
        <translation>BG grid</translation>
    </message>
    <message>
        <source>スプライトを表示</source>
        <translation>Show Sprites</translation>
    </message>
    <message>
        <source>スプライト表示</source>
        <translation>Sprites shown</translation>
    </message>
    <message>
        <source>スプライトCHR(&amp;SPR)を開く...</source>
        <translation>Open Sprite CHR (&amp;SPR)...</translation>
    </message>
    <message>
        <source>スプライト定義(S&amp;PD)を開く...</source>
        <translation>Open Sprite Table (S&amp;PD)...</translation>
    </message>
    <message>
        <source>スプライト定義(S&amp;PD)を保存...</source>
        <translation>Save Sprite Table (S&amp;PD)...</translation>
    </message>
    <message>
        <source>Tavrinメイン画面を表示(&amp;Y)</source>
        <translation>Show the Tavrin Main Window (&amp;Y)</translation>
    </message>
    <message>
        <source>メイン画面</source>
        <translation>Main window</translation>
    </message>
    <message>
        <source>ファイル(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>編集(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>モード(&amp;M)</source>
        <translation>&amp;Mode</translation>
    </message>
    <message>
        <source>表示(&amp;V)</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>保存できませんでした：</source>
        <translation>Could not be saved:</translation>
    </message>
</context>
<context>
    <name>tavrin::MainWindow</name>
    <message>
        <source>はい(&amp;Y)</source>
        <translation>&amp;Yes</translation>
    </message>
    <message>
        <source>いいえ(&amp;N)</source>
        <translation>&amp;No</translation>
    </message>
    <message>
        <source>キャンセル</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>%1 は変更されています。
変更を保存しますか？</source>
        <translation>%1 has been changed.
Save the changes?</translation>
    </message>
    <message>
        <source>%1 の変更は保存されていません。
変更を破棄して読み込み直しますか？</source>
        <translation>The changes to %1 have not been saved.
Drop them and read the file again?</translation>
    </message>
    <message>
        <source>ファイルの終わりより後ろに描いた部分があります。
ファイルをページの終わりまで延ばして保存しますか？
（いいえ：元の大きさで保存します）</source>
        <translation>Something was drawn past the end of the file.
Extend the file to the end of the page and save?
(No: save at its own size)</translation>
    </message>
</context>
</TS>
