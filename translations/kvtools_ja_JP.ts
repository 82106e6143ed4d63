<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP" sourcelanguage="en_US">
<context>
    <name>ConnectionBar</name>
    <message>
        <source>Connect</source>
        <translation>接続</translation>
    </message>
    <message>
        <source>Simulator</source>
        <translation>シミュレーター</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>接続方式</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>ポート</translation>
    </message>
    <message>
        <source>USB device, e.g. /dev/ttyACM0</source>
        <translation>USBデバイス（例: /dev/ttyACM0）</translation>
    </message>
    <message>
        <source>IP address or host name</source>
        <translation>IPアドレスまたはホスト名</translation>
    </message>
</context>
<context>
    <name>CutJob</name>
    <message>
        <source>plotter busy: it is working on another job; nothing of this job was sent (a job left over is stopped with &apos;kvhost set TASK_STOP 2&apos;)</source>
        <translation>プロッターは使用中です: 別のジョブを実行中のため、このジョブは何も送っていません（残ったジョブは &apos;kvhost set TASK_STOP 2&apos; で停止できます）</translation>
    </message>
    <message>
        <source>no answer to the job-state read within %1 s</source>
        <translation>ジョブ状態の読み取りに %1 秒以内の応答がありません</translation>
    </message>
    <message>
        <source>connection lost: %1</source>
        <translation>接続が切れました: %1</translation>
    </message>
    <message>
        <source>the device refused %1 = %2 (result %3)</source>
        <translation>デバイスが %1 = %2 を拒否しました（結果 %3）</translation>
    </message>
    <message>
        <source>no answer to %1</source>
        <translation>%1 に応答がありません</translation>
    </message>
    <message numerus="yes">
        <source>cutting %1, %n copies (QR-code job)</source>
        <translation>
            <numerusform>%1 をカット中、%n 部（QRコードジョブ）</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>cutting %1, %n copies</source>
        <translation>
            <numerusform>%1 をカット中、%n 部</numerusform>
        </translation>
    </message>
    <message>
        <source>no progress from the plotter, and no answer to a status read within %1 s</source>
        <translation>プロッターから進捗がなく、状態の読み取りにも %1 秒以内の応答がありません</translation>
    </message>
    <message>
        <source>plotter busy: it is cutting another job (%1) and did not take this one</source>
        <translation>プロッターは使用中です: 別のジョブ（%1）をカット中で、このジョブを受け付けませんでした</translation>
    </message>
    <message>
        <source>connection lost during the job: %1</source>
        <translation>ジョブの実行中に接続が切れました: %1</translation>
    </message>
    <message>
        <source>the job was stopped on the device</source>
        <translation>ジョブはデバイス側で停止されました</translation>
    </message>
    <message>
        <source>the job could not be stopped on the plotter: %1</source>
        <translation>プロッターのジョブを停止できませんでした: %1</translation>
    </message>
    <message>
        <source>stopping the job...</source>
        <translation>ジョブを停止しています…</translation>
    </message>
    <message>
        <source>the device stopped</source>
        <translation>デバイスは停止しました</translation>
    </message>
    <message>
        <source>the device was told to stop the job and did not confirm it</source>
        <translation>デバイスにジョブの停止を指示しましたが、確認がありません</translation>
    </message>
    <message>
        <source>%1%  copy %2/%3  elapsed %4  remaining %5</source>
        <translation>%1%  %2/%3 部目  経過 %4  残り %5</translation>
    </message>
    <message numerus="yes">
        <source>done: %1 of %n copies in %2 s, cut length %3 m, travel %4 m</source>
        <translation>
            <numerusform>完了: %n 部中 %1 部、%2 秒、カット長 %3 m、移動距離 %4 m</numerusform>
        </translation>
    </message>
    <message>
        <source>, labels left out (--labels skip): %1</source>
        <translation>、省略した文字（--labels skip）: %1</translation>
    </message>
    <message>
        <source>, labels cut as the outline of their text: %1</source>
        <translation>、字形の輪郭でカットした文字: %1</translation>
    </message>
    <message>
        <source>, QR code %1</source>
        <translation>、QRコード %1</translation>
    </message>
</context>
<context>
    <name>DeviceLink</name>
    <message>
        <source>no answer from %1 within %2 s</source>
        <translation>%1 から %2 秒以内に応答がありません</translation>
    </message>
    <message>
        <source>the device would not start connecting to %1</source>
        <translation>デバイスが %1 への接続を開始しませんでした</translation>
    </message>
    <message>
        <source>cannot reach %1: %2</source>
        <translation>%1 に接続できません: %2</translation>
    </message>
</context>
<context>
    <name>ExitCodes</name>
    <message>
        <source>Exit codes: 0 done, 2 usage or a value the record cannot take, 3 plug-in not found or not
loadable, 4 device unreachable, 5 connection lost, 6 write refused, 7 plot file missing or
unreadable, 8 unknown key, 9 no answer in time, 10 plotter busy with another job, 11 cloud
service failed, 12 no permission to open the USB device file, 13 record cannot be read or
written that way, 130 interrupted.</source>
        <translation>終了コード: 0 完了、2 使い方の誤りまたは項目が受け付けない値、
3 プラグインが見つからないか読み込めない、4 デバイスに接続できない、
5 接続が切れた、6 書き込みを拒否された、7 プロットファイルがないか読めない、
8 不明なキー、9 時間内に応答がない、10 プロッターが別のジョブで使用中、
11 クラウドサービスの失敗、12 USBデバイスファイルを開く権限がない、
13 項目をその方法で読み書きできない、130 中断された。</translation>
    </message>
</context>
<context>
    <name>HostCloud</name>
    <message>
        <source>the device tells no machine number (DEVICE_ID) to register with</source>
        <translation>デバイスが登録に使う機械番号（DEVICE_ID）を返しません</translation>
    </message>
    <message>
        <source>the channel of the cloud service at %1 could not be opened</source>
        <translation>%1 のクラウドサービスのチャネルを開けませんでした</translation>
    </message>
    <message>
        <source>the cloud service at %1 did not answer %2 within %3 s</source>
        <translation>%1 のクラウドサービスが %3 秒以内に %2 に応答しませんでした</translation>
    </message>
    <message>
        <source>the cloud service did not register %1 and open its channel within %2 s</source>
        <translation>クラウドサービスが %2 秒以内に %1 を登録してチャネルを開きませんでした</translation>
    </message>
    <message>
        <source>not all the device sent reached the cloud: %1</source>
        <translation>デバイスが送った内容の一部がクラウドに届きませんでした: %1</translation>
    </message>
    <message>
        <source>not all the device sent reached the cloud: the service at %1 did not answer %2 within %3 s</source>
        <translation>デバイスが送った内容の一部がクラウドに届きませんでした: %1 のサービスが %3 秒以内に %2 に応答しませんでした</translation>
    </message>
    <message>
        <source>cloud: no preview of the plot reached the service</source>
        <translation>クラウド: プロットのプレビューがサービスに届きませんでした</translation>
    </message>
    <message>
        <source>cloud: the preview the service received (%1 bytes) is not a PNG picture</source>
        <translation>クラウド: サービスが受け取ったプレビュー（%1 バイト）は PNG 画像ではありません</translation>
    </message>
    <message>
        <source>cloud: latest preview of %1: PNG of %2 x %3 px, %4 bytes (kvcloud serves it as /_preview/%1)</source>
        <translation>クラウド: %1 の最新プレビュー: PNG %2 x %3 px、%4 バイト（kvcloud は /_preview/%1 で提供）</translation>
    </message>
    <message>
        <source>the cloud service at %1 answered %2 with HTTP %3</source>
        <translation>%1 のクラウドサービスが %2 に HTTP %3 を返しました</translation>
    </message>
    <message>
        <source>the cloud service at %1 could not be reached for %2: %3</source>
        <translation>%2 のために %1 のクラウドサービスに接続できませんでした: %3</translation>
    </message>
</context>
<context>
    <name>HostCommands</name>
    <message>
        <source>no record &apos;%1&apos; on this device (see &apos;kvhost list&apos;)</source>
        <translation>このデバイスに項目 &apos;%1&apos; はありません（&apos;kvhost list&apos; を参照）</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 は読み取れません: %2</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2</source>
        <translation>%1 は書き込めません: %2</translation>
    </message>
    <message>
        <source>the machine information is incomplete; nothing is printed</source>
        <translation>機械情報が揃わないため、何も表示しません</translation>
    </message>
    <message>
        <source>%1 does not apply: the plotter is cutting a job</source>
        <translation>%1 は適用できません: プロッターはジョブをカット中です</translation>
    </message>
    <message>
        <source>%1 does not apply: the plotter is holding a paused job</source>
        <translation>%1 は適用できません: プロッターは一時停止中のジョブを保持しています</translation>
    </message>
    <message>
        <source>%1 does not apply: the plotter is idle</source>
        <translation>%1 は適用できません: プロッターは待機中です</translation>
    </message>
    <message>
        <source>the device refused %1 = %2 (result %3); it takes values from %4 to %5%6</source>
        <translation>デバイスが %1 = %2 を拒否しました（結果 %3）。受け付ける値は %4 から %5%6 です</translation>
    </message>
    <message>
        <source>the device refused %1 = %2 (result %3)</source>
        <translation>デバイスが %1 = %2 を拒否しました（結果 %3）</translation>
    </message>
    <message>
        <source>connection lost: %1</source>
        <translation>接続が切れました: %1</translation>
    </message>
    <message>
        <source>%1 has no command to read or write it with</source>
        <translation>%1 には読み書きするコマンドがありません</translation>
    </message>
    <message>
        <source>no answer for %1 within %2 s</source>
        <translation>%1 に %2 秒以内の応答がありません</translation>
    </message>
</context>
<context>
    <name>HostOptions</name>
    <message>
        <source>the device&apos;s records (no connection needed)</source>
        <translation>デバイスの項目一覧（接続不要）</translation>
    </message>
    <message>
        <source>read and print the machine information</source>
        <translation>機械情報を読み取って表示</translation>
    </message>
    <message>
        <source>read records from the device</source>
        <translation>デバイスから項目を読み取る</translation>
    </message>
    <message>
        <source>write a record and print the device&apos;s answer</source>
        <translation>項目を書き込み、デバイスの応答を表示</translation>
    </message>
    <message>
        <source>cut a plot file (--copies N, --qr for a QR-code job, --raw)</source>
        <translation>プロットファイルをカット（部数 --copies N、
QRコードジョブ --qr、そのまま送る --raw）</translation>
    </message>
    <message>
        <source>a plot file&apos;s figures and the time its cut takes (no plotter needed)</source>
        <translation>プロットファイルの数値とカットの所要時間（プロッター不要）</translation>
    </message>
    <message>
        <source>write the plot the device is sent</source>
        <translation>デバイスに送るプロットを書き出す</translation>
    </message>
    <message>
        <source>draw the plot into a picture (--size N)</source>
        <translation>プロットを画像に描く（--size N）</translation>
    </message>
    <message>
        <source>move the head by X and Y steps</source>
        <translation>ヘッドを X、Y ステップ移動</translation>
    </message>
    <message>
        <source>print every message of the device until Ctrl-C</source>
        <translation>Ctrl-C まで、デバイスのメッセージをすべて表示</translation>
    </message>
    <message>
        <source>the serial ports and USB printers (or the named device files), whether
this user may open them, and why not; --probe reads each one&apos;s machine
information</source>
        <translation>シリアルポートとUSBプリンター（または指定した
デバイスファイル）、このユーザーが開けるかとその理由。
--probe で各ポートの機械情報を読み取る</translation>
    </message>
    <message>
        <source>Commands:</source>
        <translation>コマンド:</translation>
    </message>
    <message>
        <source>A device is reached with --tcp HOST[:PORT], --usb PATH or --simulate.</source>
        <translation>デバイスへは --tcp HOST[:PORT]、--usb PATH、--simulate のいずれかで接続します。</translation>
    </message>
    <message>
        <source>Command-line host for the KV-RV520MAXCam plug-in.</source>
        <translation>KV-RV520MAXCam プラグインのコマンドラインホスト。</translation>
    </message>
    <message>
        <source>Reach the device over TCP (port 9100 by default).</source>
        <translation>TCP でデバイスに接続（既定のポートは 9100）。</translation>
    </message>
    <message>
        <source>Reach the device through a USB device file.</source>
        <translation>USBデバイスファイルでデバイスに接続。</translation>
    </message>
    <message>
        <source>Start the device simulator in this process and use it.</source>
        <translation>このプロセス内でシミュレーターを起動して使う。</translation>
    </message>
    <message>
        <source>With --simulate: cutting time factor (1 = real time).</source>
        <translation>--simulate 時: カット時間の倍率（1 = 実時間）。</translation>
    </message>
    <message>
        <source>Register the device with the cloud service: with --simulate a local one in this process, otherwise the one at $KV_CLOUD_URL and $KV_CLOUD_WS.</source>
        <translation>デバイスをクラウドサービスに登録: --simulate 時は
このプロセス内のローカルサービス、それ以外は
$KV_CLOUD_URL と $KV_CLOUD_WS のサービス。</translation>
    </message>
    <message>
        <source>Command dialect: 583 (the model, default) or 261.</source>
        <translation>コマンド方式: 583（本機種、既定）または 261。</translation>
    </message>
    <message>
        <source>Copies to cut.</source>
        <translation>カットする部数。</translation>
    </message>
    <message>
        <source>Cut a QR-code job.</source>
        <translation>QRコードジョブをカット。</translation>
    </message>
    <message>
        <source>Labels of a plot: cut as the outline of their text, or left out.</source>
        <translation>プロットの文字: 輪郭でカットするか、省略する。</translation>
    </message>
    <message>
        <source>Cut: send the file&apos;s own text instead of the plot drawn from it.</source>
        <translation>カット: ファイルから描いたプロットではなく、
ファイルの内容をそのまま送る。</translation>
    </message>
    <message>
        <source>Inspect: the cutting speed to time the cut at, instead of the device&apos;s SPEED.</source>
        <translation>検査: カット時間の計算に使う速度
（デバイスの SPEED の代わり）。</translation>
    </message>
    <message>
        <source>Convert, preview: the file to write.</source>
        <translation>変換・プレビュー: 書き出すファイル。</translation>
    </message>
    <message>
        <source>Preview: the picture&apos;s longer side in pixels.</source>
        <translation>プレビュー: 画像の長辺のピクセル数。</translation>
    </message>
    <message>
        <source>Seconds to wait for the connection and for each answer of the device or the cloud service.</source>
        <translation>接続と、デバイスやクラウドサービスの
各応答を待つ秒数。</translation>
    </message>
    <message>
        <source>Path of the plug-in library.</source>
        <translation>プラグインライブラリのパス。</translation>
    </message>
    <message>
        <source>Language of the texts and labels: en_US, ja_JP or zh_CN.</source>
        <translation>テキストとラベルの言語（en_US、ja_JP、zh_CN）。</translation>
    </message>
    <message>
        <source>Print results as JSON (its texts in English).</source>
        <translation>結果を JSON で出力（テキストは英語）。</translation>
    </message>
    <message>
        <source>With ports: read the machine information of each port that may be opened, waiting at most 1 s for each answer.</source>
        <translation>ports 時: 開ける各ポートの機械情報を読み取る
（各応答は最大 1 秒待つ）。</translation>
    </message>
    <message>
        <source>list, info, get, set, cut, jog, watch, inspect, convert, preview or ports.</source>
        <translation>list、info、get、set、cut、jog、watch、
inspect、convert、preview、ports のいずれか。</translation>
    </message>
    <message>
        <source>--copies takes a number from 1 to 9999</source>
        <translation>--copies には 1 から 9999 の数を指定します</translation>
    </message>
    <message>
        <source>--timeout takes seconds, more than 0 and at most 3600</source>
        <translation>--timeout には 0 より大きく 3600 以下の秒数を指定します</translation>
    </message>
    <message>
        <source>give only one of --tcp, --usb and --simulate</source>
        <translation>--tcp、--usb、--simulate のうち一つだけを指定してください</translation>
    </message>
    <message>
        <source>--tcp takes HOST or HOST:PORT</source>
        <translation>--tcp には HOST または HOST:PORT を指定します</translation>
    </message>
    <message>
        <source>no command given</source>
        <translation>コマンドが指定されていません</translation>
    </message>
    <message>
        <source>--labels takes outline or skip, not &apos;%1&apos;</source>
        <translation>--labels には outline か skip を指定します。&apos;%1&apos; ではありません</translation>
    </message>
    <message>
        <source>--speed takes mm/s, more than 0 and at most 10000</source>
        <translation>--speed には 0 より大きく 10000 以下の mm/s を指定します</translation>
    </message>
    <message>
        <source>--size takes pixels from 16 to 8192</source>
        <translation>--size には 16 から 8192 のピクセル数を指定します</translation>
    </message>
    <message>
        <source>unknown command &apos;%1&apos; (see --help)</source>
        <translation>不明なコマンド &apos;%1&apos;（--help を参照）</translation>
    </message>
    <message>
        <source>wrong number of arguments for &apos;%1&apos; (see --help)</source>
        <translation>&apos;%1&apos; の引数の数が正しくありません（--help を参照）</translation>
    </message>
    <message>
        <source>--cloud needs KV_CLOUD_URL and KV_CLOUD_WS in the environment, or --simulate</source>
        <translation>--cloud には環境変数 KV_CLOUD_URL と KV_CLOUD_WS、または --simulate が必要です</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs the file to write: -o PATH</source>
        <translation>&apos;%1&apos; には書き出すファイルが必要です: -o PATH</translation>
    </message>
    <message>
        <source>&apos;%1&apos; needs a device: --tcp HOST[:PORT], --usb PATH or --simulate</source>
        <translation>&apos;%1&apos; にはデバイスが必要です: --tcp HOST[:PORT]、--usb PATH、--simulate</translation>
    </message>
</context>
<context>
    <name>JobBox</name>
    <message>
        <source>Job</source>
        <translation>ジョブ</translation>
    </message>
    <message>
        <source>no plot file</source>
        <translation>プロットファイルなし</translation>
    </message>
    <message>
        <source>Open…</source>
        <translation>開く…</translation>
    </message>
    <message>
        <source>QR-code job</source>
        <translation>QRコードジョブ</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>開始</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>一時停止</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>再開</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Plot file</source>
        <translation>プロットファイル</translation>
    </message>
    <message>
        <source>Copies</source>
        <translation>部数</translation>
    </message>
    <message>
        <source>plot file %1 opened</source>
        <translation>プロットファイル %1 を開きました</translation>
    </message>
    <message>
        <source>%1 x %2 mm, the plotter&apos;s work area</source>
        <translation>%1 x %2 mm（プロッターの作業範囲）</translation>
    </message>
    <message>
        <source>%1 x %2 mm from the origin, as much as the plot needs</source>
        <translation>原点から %1 x %2 mm（プロットに必要な範囲）</translation>
    </message>
    <message>
        <source>Open plot file</source>
        <translation>プロットファイルを開く</translation>
    </message>
    <message>
        <source>Plot files (*.plt *.hpgl *.hpg *.hp *.svg);;All files (*)</source>
        <translation>プロットファイル (*.plt *.hpgl *.hpg *.hp *.svg);;すべてのファイル (*)</translation>
    </message>
    <message>
        <source>job not started: no answer to %1</source>
        <translation>ジョブを開始できません: %1 に応答がありません</translation>
    </message>
    <message>
        <source>job not started: the device refused %1 (result %2)</source>
        <translation>ジョブを開始できません: デバイスが %1 を拒否しました（結果 %2）</translation>
    </message>
    <message numerus="yes">
        <source>job started: %1, %n copies (QR-code job)</source>
        <translation>
            <numerusform>ジョブを開始しました: %1、%n 部（QRコードジョブ）</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>job started: %1, %n copies</source>
        <translation>
            <numerusform>ジョブを開始しました: %1、%n 部</numerusform>
        </translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>停止済み</translation>
    </message>
    <message>
        <source>job stopped</source>
        <translation>ジョブを停止しました</translation>
    </message>
    <message>
        <source>this device has no %1</source>
        <translation>このデバイスには %1 がありません</translation>
    </message>
    <message>
        <source>link lost</source>
        <translation>接続切断</translation>
    </message>
    <message>
        <source>the connection dropped during the job</source>
        <translation>ジョブの実行中に接続が切れました</translation>
    </message>
    <message>
        <source>stopped on the device</source>
        <translation>デバイス側で停止</translation>
    </message>
    <message>
        <source>the job was stopped on the device</source>
        <translation>ジョブはデバイス側で停止されました</translation>
    </message>
    <message>
        <source>done</source>
        <translation>完了</translation>
    </message>
    <message numerus="yes">
        <source>job done: %1 of %n copies</source>
        <translation>
            <numerusform>ジョブ完了: %n 部中 %1 部</numerusform>
        </translation>
    </message>
    <message>
        <source>idle</source>
        <translation>待機中</translation>
    </message>
    <message>
        <source>preparing</source>
        <translation>準備中</translation>
    </message>
    <message>
        <source>cutting</source>
        <translation>カット中</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>一時停止中</translation>
    </message>
</context>
<context>
    <name>JogCommand</name>
    <message>
        <source>jog takes two whole numbers of steps</source>
        <translation>jog には整数のステップ数を二つ指定します</translation>
    </message>
    <message>
        <source>the longest travel kvhost sends to a plotter that does not tell its work area</source>
        <translation>作業範囲を返さないプロッターに kvhost が送る最大の移動量です</translation>
    </message>
    <message>
        <source>a jog moves at most %1 steps (%2 mm) on the first axis and %3 steps (%4 mm) on the second: %5</source>
        <translation>ジョグで動かせるのは第1軸で最大 %1 ステップ（%2 mm）、第2軸で最大 %3 ステップ（%4 mm）です: %5</translation>
    </message>
    <message>
        <source>the plotter&apos;s work area, %1 mm by %2 mm</source>
        <translation>プロッターの作業範囲 %1 mm × %2 mm です</translation>
    </message>
    <message>
        <source>connection lost: %1</source>
        <translation>接続が切れました: %1</translation>
    </message>
    <message>
        <source>moved %1, %2</source>
        <translation>%1, %2 移動しました</translation>
    </message>
    <message>
        <source>this device has no jog command</source>
        <translation>このデバイスにはジョグのコマンドがありません</translation>
    </message>
    <message>
        <source>no answer for the jog within %1 s</source>
        <translation>ジョグに %1 秒以内の応答がありません</translation>
    </message>
    <message>
        <source>the device refused the jog</source>
        <translation>デバイスがジョグを拒否しました</translation>
    </message>
</context>
<context>
    <name>JogPad</name>
    <message>
        <source>Jog</source>
        <translation>ジョグ</translation>
    </message>
</context>
<context>
    <name>KvCloudService</name>
    <message>
        <source>a channel message is more than the service holds now; channel closed</source>
        <translation>チャネルのメッセージがサービスの今の保持量を超えたため、チャネルを閉じました</translation>
    </message>
    <message>
        <source>HTTP port %1: %2</source>
        <translation>HTTP ポート %1: %2</translation>
    </message>
    <message>
        <source>WebSocket port %1: %2</source>
        <translation>WebSocket ポート %1: %2</translation>
    </message>
    <message>
        <source>cloud: %1 is not registered</source>
        <translation>クラウド: %1 は登録されていません</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message numerus="yes">
        <source>cloud: %1 registered as device %2 (model %3), %n task reports, work record %4</source>
        <translation>
            <numerusform>クラウド: %1 はデバイス %2（機種 %3）として登録済み、ジョブ報告 %n 件、作業記録 %4</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>KvListener</name>
    <message>
        <source>cannot accept connections on port %1 (%2); trying again every %3 ms</source>
        <translation>ポート %1 で接続を受け付けられません（%2）。%3 ms ごとに再試行します</translation>
    </message>
</context>
<context>
    <name>KvPlot</name>
    <message>
        <source>%1 (at byte %2).</source>
        <translation>%1（%2 バイト目）。</translation>
    </message>
    <message>
        <source>The file is empty.</source>
        <translation>ファイルが空です。</translation>
    </message>
    <message>
        <source>This is not a plot file: it is not text.</source>
        <translation>プロットファイルではありません: テキストではありません。</translation>
    </message>
    <message>
        <source>Nothing in this file can be cut: no instruction in its %1 bytes draws anything.</source>
        <translation>このファイルにはカットできるものがありません: %1 バイトの中に描画する命令がありません。</translation>
    </message>
    <message>
        <source>Plot file not found: %1</source>
        <translation>プロットファイルが見つかりません: %1</translation>
    </message>
    <message>
        <source>%1 is a folder, not a plot file.</source>
        <translation>%1 はフォルダーで、プロットファイルではありません。</translation>
    </message>
    <message>
        <source>Cannot read the plot file %1: %2</source>
        <translation>プロットファイル %1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>The text is not UTF-8: its bytes would change on the way to the plotter.</source>
        <translation>テキストが UTF-8 ではありません: プロッターへ送る途中でバイトが変わってしまいます。</translation>
    </message>
    <message>
        <source>The text holds the byte 0x%1, which ends the device&apos;s frames.</source>
        <translation>テキストにバイト 0x%1 が含まれています。これはデバイスのフレームを終わらせます。</translation>
    </message>
    <message>
        <source>The text is UTF-16, which the plotter does not read.</source>
        <translation>テキストが UTF-16 で、プロッターは読めません。</translation>
    </message>
    <message numerus="yes">
        <source>Left out %n filled shapes (RA, RR, FP, WG): a cutter does not fill.</source>
        <translation>
            <numerusform>塗りつぶし図形 %n 個（RA、RR、FP、WG）を省略しました: カッターは塗りつぶしません。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Cut %n dashed or dotted line types as solid lines.</source>
        <translation>
            <numerusform>破線・点線の線種 %n か所を実線としてカットしました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The polygon buffer was full: %n points left out.</source>
        <translation>
            <numerusform>ポリゴンバッファーがいっぱいのため、%n 点を省略しました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Moved %n coordinates beyond the plotter&apos;s range to its edge.</source>
        <translation>
            <numerusform>プロッターの範囲外の座標 %n 個を端に移しました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Left out %n labels, as asked.</source>
        <translation>
            <numerusform>指定どおり、文字 %n 個を省略しました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Left out %n labels: no font engine is loaded in this program.</source>
        <translation>
            <numerusform>文字 %n 個を省略しました: このプログラムにはフォントエンジンが読み込まれていません。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Read the file as UTF-16 text (%n bytes).</source>
        <translation>
            <numerusform>ファイルを UTF-16 テキストとして読み込みました（%n バイト）。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Ignored %n coordinates without their pair.</source>
        <translation>
            <numerusform>対になっていない座標 %n 個を無視しました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Ignored %n pictures embedded in the drawing.</source>
        <translation>
            <numerusform>図面に埋め込まれた画像 %n 枚を無視しました。</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Skipped %n instructions the reader does not know: %1.</source>
        <translation>
            <numerusform>読み取れない命令 %n 個をスキップしました: %1。</numerusform>
        </translation>
    </message>
    <message>
        <source>Cut labels as outlines of the font %1.</source>
        <translation>文字はフォント %1 の輪郭でカットしました。</translation>
    </message>
    <message>
        <source>This is not an SVG drawing: %1</source>
        <translation>SVG の図面ではありません: %1</translation>
    </message>
    <message>
        <source>no &lt;svg&gt; element.</source>
        <translation>&lt;svg&gt; 要素がありません。</translation>
    </message>
    <message>
        <source>Qt&apos;s SVG module cannot read this drawing.</source>
        <translation>Qt の SVG モジュールではこの図面を読み込めません。</translation>
    </message>
</context>
<context>
    <name>KvSimDevice</name>
    <message>
        <source>malformed frame ignored: %1</source>
        <translation>不正なフレームを無視しました: %1</translation>
    </message>
    <message>
        <source>no such command in family %1: %2</source>
        <translation>ファミリー %1 にこのコマンドはありません: %2</translation>
    </message>
    <message>
        <source>CCMD without a command code ignored: %1</source>
        <translation>コマンドコードのない CCMD を無視しました: %1</translation>
    </message>
    <message>
        <source>unknown CCMD code %1</source>
        <translation>不明な CCMD コード %1</translation>
    </message>
    <message>
        <source>unknown CMD request: %1</source>
        <translation>不明な CMD 要求: %1</translation>
    </message>
    <message>
        <source>busy cutting %1: plot of %2 bytes ignored</source>
        <translation>%1 をカット中のため、%2 バイトのプロットを無視しました</translation>
    </message>
</context>
<context>
    <name>KvSimPty</name>
    <message>
        <source>pty %1: the client reads nothing; %2 bytes dropped</source>
        <translation>pty %1: クライアントが何も読まないため、%2 バイトを破棄しました</translation>
    </message>
</context>
<context>
    <name>KvSimSession</name>
    <message>
        <source>%1 bytes without a frame end are more than the plotter holds now; dropped</source>
        <translation>フレーム終端のない %1 バイトがプロッターの今の保持量を超えたため、破棄しました</translation>
    </message>
</context>
<context>
    <name>KvSimulator</name>
    <message>
        <source>%1 takes none of its answers; dropped</source>
        <translation>%1 が応答をまったく受け取らないため、切断しました</translation>
    </message>
    <message>
        <source>no new pseudo-terminal: %1</source>
        <translation>新しい疑似端末を開けません: %1</translation>
    </message>
</context>
<context>
    <name>LinkProbe</name>
    <message>
        <source>the host %1 was not found</source>
        <translation>ホスト %1 が見つかりません</translation>
    </message>
    <message>
        <source>%1 refused the connection: nothing listens on port %2</source>
        <translation>%1 が接続を拒否しました: ポート %2 で待ち受けているものがありません</translation>
    </message>
</context>
<context>
    <name>MessageLog</name>
    <message>
        <source>(task record changed)</source>
        <translation>（ジョブ記録が更新されました）</translation>
    </message>
    <message>
        <source>panel</source>
        <translation>パネル</translation>
    </message>
</context>
<context>
    <name>PanelWindow</name>
    <message>
        <source>Disconnected</source>
        <translation>未接続</translation>
    </message>
    <message>
        <source>Idle</source>
        <translation>待機中</translation>
    </message>
    <message>
        <source>Working</source>
        <translation>作業中</translation>
    </message>
    <message>
        <source>Paused</source>
        <translation>一時停止中</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>エラー</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>設定</translation>
    </message>
    <message>
        <source>Machine</source>
        <translation>機械</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>ジョブ</translation>
    </message>
    <message>
        <source>%1 has no record on this device; not shown</source>
        <translation>このデバイスには項目 %1 がないため、表示しません</translation>
    </message>
    <message>
        <source>the device would not start connecting (link state %1)</source>
        <translation>デバイスが接続を開始しませんでした（接続状態 %1）</translation>
    </message>
    <message>
        <source>connecting to %1</source>
        <translation>%1 に接続中</translation>
    </message>
    <message>
        <source>stopping the job before closing</source>
        <translation>終了する前にジョブを停止しています</translation>
    </message>
    <message>
        <source>cannot start the simulator: %1</source>
        <translation>シミュレーターを起動できません: %1</translation>
    </message>
    <message>
        <source>simulator listening on %1:%2</source>
        <translation>シミュレーターが %1:%2 で待ち受けています</translation>
    </message>
</context>
<context>
    <name>PlotCommands</name>
    <message>
        <source>%1 s</source>
        <translation>%1 秒</translation>
    </message>
    <message>
        <source>%1 min %2 s</source>
        <translation>%1 分 %2 秒</translation>
    </message>
    <message>
        <source>%1 h %2 min</source>
        <translation>%1 時間 %2 分</translation>
    </message>
    <message>
        <source>cut length %1 mm, travel %2 mm</source>
        <translation>カット長 %1 mm、移動距離 %2 mm</translation>
    </message>
    <message>
        <source>size %1 x %2 mm, from (%3, %4) to (%5, %6) mm</source>
        <translation>サイズ %1 x %2 mm、(%3, %4) から (%5, %6) mm まで</translation>
    </message>
    <message>
        <source>labels: %1, left out (--labels skip)</source>
        <translation>文字: %1 個、省略（--labels skip）</translation>
    </message>
    <message>
        <source>labels: %1, cut as the outline of their text</source>
        <translation>文字: %1 個、字形の輪郭でカット</translation>
    </message>
    <message>
        <source>pens: none</source>
        <translation>ペン: なし</translation>
    </message>
    <message>
        <source>pens: %1</source>
        <translation>ペン: %1</translation>
    </message>
    <message>
        <source>instructions skipped: %1</source>
        <translation>スキップした命令: %1</translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>警告: %1</translation>
    </message>
    <message>
        <source>cut time: not known; give --speed, or a device to read its SPEED from</source>
        <translation>カット時間: 不明。--speed か、SPEED を読み取るデバイスを指定してください</translation>
    </message>
    <message>
        <source>cut time: %1 at %2 mm/s (--speed)</source>
        <translation>カット時間: %1（速度 %2 mm/s、--speed）</translation>
    </message>
    <message>
        <source>cut time: %1 at %2 mm/s (the device&apos;s SPEED)</source>
        <translation>カット時間: %1（速度 %2 mm/s、デバイスの SPEED）</translation>
    </message>
    <message>
        <source>connection lost while reading SPEED: %1</source>
        <translation>SPEED の読み取り中に接続が切れました: %1</translation>
    </message>
    <message>
        <source>no answer for SPEED within %1 s</source>
        <translation>SPEED に %1 秒以内の応答がありません</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 に書き込めません: %2</translation>
    </message>
    <message>
        <source>wrote %1: the device plot of %2, %3 bytes</source>
        <translation>%1 を書き出しました: %2 のデバイス用プロット、%3 バイト</translation>
    </message>
    <message>
        <source>wrote %1: a picture of %2, %3 x %4 px</source>
        <translation>%1 を書き出しました: %2 の画像、%3 x %4 px</translation>
    </message>
</context>
<context>
    <name>PlotFacts</name>
    <message>
        <source>Size</source>
        <translation>サイズ</translation>
    </message>
    <message>
        <source>Cut length</source>
        <translation>カット長</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>文字</translation>
    </message>
    <message>
        <source>Time a copy</source>
        <translation>1 部の所要時間</translation>
    </message>
    <message>
        <source>Sheet</source>
        <translation>用紙</translation>
    </message>
    <message>
        <source>Warnings</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>%1 x %2 mm</source>
        <translation>%1 x %2 mm</translation>
    </message>
    <message>
        <source>%1 m (travel %2 m)</source>
        <translation>%1 m（移動距離 %2 m）</translation>
    </message>
    <message>
        <source>none</source>
        <translation>なし</translation>
    </message>
    <message>
        <source>%1, cut as the outline of their text</source>
        <translation>%1 個、字形の輪郭でカット</translation>
    </message>
    <message>
        <source>not known until SPEED is read from the device</source>
        <translation>デバイスから SPEED を読み取るまで不明</translation>
    </message>
    <message>
        <source>%1:%2 at %3 mm/s</source>
        <translation>%1:%2（速度 %3 mm/s）</translation>
    </message>
</context>
<context>
    <name>PlotFile</name>
    <message>
        <source>%1 cannot be sent as it is (--raw): %2 Without --raw, the plot drawn from it is sent.</source>
        <translation>%1 はそのまま送れません（--raw）: %2 --raw を付けなければ、ファイルから描いたプロットを送ります。</translation>
    </message>
</context>
<context>
    <name>PlotPicture</name>
    <message>
        <source>Open a plot file to see it here.</source>
        <translation>プロットファイルを開くと、ここに表示されます。</translation>
    </message>
    <message>
        <source>origin</source>
        <translation>原点</translation>
    </message>
    <message>
        <source>%1 x %2 mm</source>
        <translation>%1 x %2 mm</translation>
    </message>
</context>
<context>
    <name>PluginHost</name>
    <message>
        <source>plug-in not found; looked in: %1 (set KV_PLUGIN_PATH or --plugin)</source>
        <translation>プラグインが見つかりません。探した場所: %1（KV_PLUGIN_PATH か --plugin で指定してください）</translation>
    </message>
    <message>
        <source>plug-in not found: %1</source>
        <translation>プラグインが見つかりません: %1</translation>
    </message>
    <message>
        <source>cannot load plug-in %1: %2</source>
        <translation>プラグイン %1 を読み込めません: %2</translation>
    </message>
    <message>
        <source>%1 is a Qt plug-in but not a device plug-in (%2)</source>
        <translation>%1 は Qt プラグインですが、デバイスプラグイン（%2）ではありません</translation>
    </message>
</context>
<context>
    <name>PortAccess</name>
    <message>
        <source>%1 does not exist.</source>
        <translation>%1 は存在しません。</translation>
    </message>
    <message>
        <source>%1 cannot be examined: %2.</source>
        <translation>%1 を調べられません: %2。</translation>
    </message>
    <message>
        <source>User %1 may not open %2: it belongs to user %3 and group %4 with mode %5 (%6), and user %1 is in the groups %7.</source>
        <translation>ユーザー %1 は %2 を開けません: 所有者はユーザー %3 とグループ %4、モードは %5（%6）で、ユーザー %1 の所属グループは %7 です。</translation>
    </message>
    <message>
        <source>Join the group %1 with &quot;sudo usermod -aG %1 %2&quot;, then log out and in again: a new login is needed before the group counts.</source>
        <translation>&quot;sudo usermod -aG %1 %2&quot; でグループ %1 に参加し、ログアウトして再ログインしてください: グループは新しいログインから有効になります。</translation>
    </message>
    <message>
        <source>Is the plotter plugged in and switched on? USB serial adapters appear as /dev/ttyUSB*, CDC-ACM devices as /dev/ttyACM*, printer-class devices as /dev/usb/lp*; &quot;kvhost ports&quot; lists those present.</source>
        <translation>プロッターは接続されて電源が入っていますか? USB シリアル変換器は /dev/ttyUSB*、CDC-ACM デバイスは /dev/ttyACM*、プリンタークラスのデバイスは /dev/usb/lp* として現れます。&quot;kvhost ports&quot; で今あるものを一覧できます。</translation>
    </message>
    <message>
        <source>User %1 is in the group %2 now, but this login began before that: log out and in again, or run &quot;newgrp %2&quot; in this shell.</source>
        <translation>ユーザー %1 は今はグループ %2 に入っていますが、このログインはそれより前に始まっています: ログアウトして再ログインするか、このシェルで &quot;newgrp %2&quot; を実行してください。</translation>
    </message>
    <message>
        <source>Its mode does not stand in the way, yet the system refuses (%1): look at its access control list (getfacl %2) and at security modules such as AppArmor or SELinux.</source>
        <translation>モードは妨げになっていませんが、システムが拒否しています（%1）: アクセス制御リスト（getfacl %2）と、AppArmor や SELinux などのセキュリティモジュールを確認してください。</translation>
    </message>
    <message>
        <source>Only root may open it. A udev rule gives it to the group %1 whenever it appears; put this line into /etc/udev/rules.d/70-kvrv520maxcam.rules:
    %2
then run &quot;sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger&quot; and plug the plotter in again.</source>
        <translation>root しか開けません。udev ルールを使えば、現れるたびにグループ %1 に渡せます。次の行を /etc/udev/rules.d/70-kvrv520maxcam.rules に書き込み:
    %2
&quot;sudo udevadm control --reload-rules &amp;&amp; sudo udevadm trigger&quot; を実行してから、プロッターを挿し直してください。</translation>
    </message>
</context>
<context>
    <name>PortProbe</name>
    <message>
        <source>no answer to the request for %1 within %2 s: not this plotter, or not switched on?</source>
        <translation>%1 の要求に %2 秒以内の応答がありません: このプロッターではないか、電源が入っていないのでは?</translation>
    </message>
</context>
<context>
    <name>PortsCommand</name>
    <message>
        <source>serial port</source>
        <translation>シリアルポート</translation>
    </message>
    <message>
        <source>USB printer-class device</source>
        <translation>USB プリンタークラスのデバイス</translation>
    </message>
    <message>
        <source>device file</source>
        <translation>デバイスファイル</translation>
    </message>
    <message>
        <source>No serial port and no USB printer-class device found. Is the plotter plugged in and switched on?</source>
        <translation>シリアルポートも USB プリンタークラスのデバイスも見つかりません。プロッターは接続されて電源が入っていますか?</translation>
    </message>
    <message>
        <source>Kind: %1</source>
        <translation>種類: %1</translation>
    </message>
    <message>
        <source>Description: %1</source>
        <translation>説明: %1</translation>
    </message>
    <message>
        <source>Maker: %1</source>
        <translation>メーカー: %1</translation>
    </message>
    <message>
        <source>USB vendor and product: %1</source>
        <translation>USB ベンダーと製品: %1</translation>
    </message>
    <message>
        <source>Serial number: %1</source>
        <translation>シリアル番号: %1</translation>
    </message>
    <message>
        <source>Access: this user may open it.</source>
        <translation>アクセス: このユーザーは開けます。</translation>
    </message>
    <message>
        <source>Problem: %1</source>
        <translation>問題: %1</translation>
    </message>
    <message>
        <source>Remedy: %1</source>
        <translation>対処: %1</translation>
    </message>
    <message>
        <source>Probe: %1</source>
        <translation>確認: %1</translation>
    </message>
    <message>
        <source>Machine information:</source>
        <translation>機械情報:</translation>
    </message>
</context>
<context>
    <name>QCommandLineParser</name>
    <message>
        <source>Usage: %1</source>
        <translation>使い方: %1</translation>
    </message>
    <message>
        <source>[options]</source>
        <translation>[オプション]</translation>
    </message>
    <message>
        <source>Options:</source>
        <translation>オプション:</translation>
    </message>
    <message>
        <source>Arguments:</source>
        <translation>引数:</translation>
    </message>
    <message>
        <source>Displays help on commandline options.</source>
        <translation>コマンドラインオプションのヘルプを表示します。</translation>
    </message>
    <message>
        <source>Displays help including Qt specific options.</source>
        <translation>Qt 固有のオプションを含むヘルプを表示します。</translation>
    </message>
    <message>
        <source>Unknown option &apos;%1&apos;.</source>
        <translation>不明なオプション &apos;%1&apos;。</translation>
    </message>
    <message>
        <source>Unknown options: %1.</source>
        <translation>不明なオプション: %1。</translation>
    </message>
    <message>
        <source>Missing value after &apos;%1&apos;.</source>
        <translation>&apos;%1&apos; の後に値がありません。</translation>
    </message>
    <message>
        <source>Unexpected value after &apos;%1&apos;.</source>
        <translation>&apos;%1&apos; の後に予期しない値があります。</translation>
    </message>
</context>
<context>
    <name>RecordAccess</name>
    <message>
        <source>it carries a plot, which the plotter answers with the progress of a job (use the cut command)</source>
        <translation>プロットを運ぶ項目で、プロッターはジョブの進捗で応答します（cut コマンドを使ってください）</translation>
    </message>
    <message>
        <source>the device&apos;s answer to it carries no code to match it by</source>
        <translation>デバイスの応答に、照合に使えるコードが含まれません</translation>
    </message>
    <message>
        <source>its answer (code %1) is taken as a task notice of the plotter</source>
        <translation>その応答（コード %1）はプロッターのジョブ通知として扱われます</translation>
    </message>
    <message>
        <source>its answer (code 27) comes as a job-state notice (PAUSE, RESUME or STOP)</source>
        <translation>その応答（コード 27）はジョブ状態の通知（PAUSE、RESUME、STOP）として届きます</translation>
    </message>
    <message>
        <source>its answer (code 66) is taken as a progress report</source>
        <translation>その応答（コード 66）は進捗報告として扱われます</translation>
    </message>
    <message>
        <source>its answer (code %1) comes as a QR-code message</source>
        <translation>その応答（コード %1）は QRコードのメッセージとして届きます</translation>
    </message>
    <message>
        <source>answers with code %1 are never matched to a record</source>
        <translation>コード %1 の応答はどの項目にも照合されません</translation>
    </message>
    <message>
        <source>its answer (code %1) goes to %2, which shares the code and comes first</source>
        <translation>その応答（コード %1）は、同じコードを持ち先に並ぶ %2 に渡されます</translation>
    </message>
    <message>
        <source>it has no read command</source>
        <translation>読み取りのコマンドがありません</translation>
    </message>
    <message>
        <source>it has no write command</source>
        <translation>書き込みのコマンドがありません</translation>
    </message>
    <message>
        <source>it is written with %1, which takes all its values at once</source>
        <translation>%1 で書き込みます（%1 はすべての値をまとめて受け取ります）</translation>
    </message>
    <message>
        <source>its members are written each on its own: %1</source>
        <translation>メンバーをそれぞれ個別に書き込みます: %1</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>可</translation>
    </message>
    <message>
        <source>host</source>
        <translation>ホスト側</translation>
    </message>
    <message>
        <source>members</source>
        <translation>メンバー</translation>
    </message>
    <message>
        <source>group</source>
        <translation>グループ</translation>
    </message>
    <message>
        <source>notice</source>
        <translation>通知</translation>
    </message>
    <message>
        <source>unmatched</source>
        <translation>照合不可</translation>
    </message>
    <message>
        <source>READ, WRITE: yes: the device answers the record; host: a value of the host; members, group:
through the group&apos;s members or through the group; notice: confirmed by a job-state notice;
unmatched: the device&apos;s answer cannot be matched to the record (kvhost get or set says why).</source>
        <translation>読取・書込: 可: デバイスがこの項目に応答する。ホスト側: ホストが持つ値。メンバー、グループ:
グループのメンバー経由、またはグループ経由。通知: ジョブ状態の通知で確認。
照合不可: デバイスの応答をこの項目に照合できない（理由は kvhost get か set が示します）。</translation>
    </message>
</context>
<context>
    <name>RecordIO</name>
    <message>
        <source>&apos;%1&apos; is not a number</source>
        <translation>&apos;%1&apos; は数値ではありません</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a whole number of 0 or more</source>
        <translation>&apos;%1&apos; は 0 以上の整数ではありません</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a whole number</source>
        <translation>&apos;%1&apos; は整数ではありません</translation>
    </message>
    <message numerus="yes">
        <source>give %n values separated by commas (%1)</source>
        <translation>
            <numerusform>カンマで区切って %n 個の値を指定してください（%1）</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>RecordTable</name>
    <message numerus="yes">
        <source>%n bytes</source>
        <translation>
            <numerusform>%n バイト</numerusform>
        </translation>
    </message>
    <message>
        <source>status</source>
        <translation>状態</translation>
    </message>
    <message>
        <source>task</source>
        <translation>ジョブ</translation>
    </message>
    <message>
        <source>QR code</source>
        <translation>QRコード</translation>
    </message>
    <message>
        <source>KEY</source>
        <translation>キー</translation>
    </message>
    <message>
        <source>LABEL</source>
        <translation>ラベル</translation>
    </message>
    <message>
        <source>UNIT</source>
        <translation>単位</translation>
    </message>
    <message>
        <source>VALUE</source>
        <translation>値</translation>
    </message>
    <message>
        <source>GET</source>
        <translation>読取コード</translation>
    </message>
    <message>
        <source>SET</source>
        <translation>書込コード</translation>
    </message>
    <message>
        <source>LEN</source>
        <translation>長さ</translation>
    </message>
    <message>
        <source>TYPE</source>
        <translation>種類</translation>
    </message>
    <message>
        <source>READ</source>
        <translation>読取</translation>
    </message>
    <message>
        <source>WRITE</source>
        <translation>書込</translation>
    </message>
    <message numerus="yes">
        <source>%n records</source>
        <translation>
            <numerusform>%n 項目</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>SettingsPage</name>
    <message>
        <source>%1 read: %2</source>
        <translation>%1 を読み取りました: %2</translation>
    </message>
    <message>
        <source>%1: no answer to the read within %2 s</source>
        <translation>%1: 読み取りに %2 秒以内の応答がありません</translation>
    </message>
    <message>
        <source>%1: the device refused the read (result %2)</source>
        <translation>%1: デバイスが読み取りを拒否しました（結果 %2）</translation>
    </message>
    <message>
        <source>%1 write: %2</source>
        <translation>%1 を書き込みました: %2</translation>
    </message>
    <message>
        <source>%1: no answer to the write within %2 s</source>
        <translation>%1: 書き込みに %2 秒以内の応答がありません</translation>
    </message>
    <message>
        <source>%1: the device refused the write (result %2)</source>
        <translation>%1: デバイスが書き込みを拒否しました（結果 %2）</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>読み取り</translation>
    </message>
    <message>
        <source>Write</source>
        <translation>書き込み</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>%1 は読み取れません: %2</translation>
    </message>
    <message>
        <source>nothing was edited, nothing written</source>
        <translation>変更がないため、何も書き込みませんでした</translation>
    </message>
</context>
<context>
    <name>ToolLanguage</name>
    <message>
        <source>--lang takes one of the languages the labels come in: %1; not &apos;%2&apos;.</source>
        <translation>--lang には用意されている言語（%1）のいずれかを指定します。&apos;%2&apos; ではありません。</translation>
    </message>
</context>
<context>
    <name>ToolOptions</name>
    <message>
        <source>--family takes 583 or 261, not &apos;%1&apos;.</source>
        <translation>--family には 583 か 261 を指定します。&apos;%1&apos; ではありません。</translation>
    </message>
    <message>
        <source>--time-scale takes a factor from 0 to %1 (1 is real time), not &apos;%2&apos;.</source>
        <translation>--time-scale には 0 から %1 の倍率（1 が実時間）を指定します。&apos;%2&apos; ではありません。</translation>
    </message>
</context>
<context>
    <name>ValueCheck</name>
    <message>
        <source>the value must be from %1 to %2%3, not %4</source>
        <translation>値は %1 から %2%3 の範囲で指定します。%4 ではありません</translation>
    </message>
    <message>
        <source>the value cannot hold &apos;%1&apos;: it ends or splits the fields of a frame</source>
        <translation>値に &apos;%1&apos; は使えません: フレームのフィールドを終わらせるか分割してしまいます</translation>
    </message>
    <message>
        <source>the value is too long: its frame takes %1 bytes, and the device&apos;s answer must stay under %2</source>
        <translation>値が長すぎます: フレームが %1 バイトになり、デバイスの応答は %2 バイト未満でなければなりません</translation>
    </message>
</context>
<context>
    <name>kvcloud</name>
    <message>
        <source>--%1 takes a whole number from 0 to %2</source>
        <translation>--%1 には 0 から %2 の整数を指定します</translation>
    </message>
    <message>
        <source>A local cloud service for the plotter plug-in: device registry, work records and device channels, with switches for failures. GET /_records shows what it received.</source>
        <translation>プロッターのプラグイン用のローカルクラウドサービス: デバイス登録、
作業記録、デバイスチャネルと、障害を起こすスイッチ。
GET /_records で受け取った内容を表示します。</translation>
    </message>
    <message>
        <source>HTTP port on 127.0.0.1 (default 0: a free one, printed).</source>
        <translation>127.0.0.1 の HTTP ポート（既定は 0:
空いているポートを選んで表示）。</translation>
    </message>
    <message>
        <source>WebSocket port on 127.0.0.1 (default 0: a free one, printed).</source>
        <translation>127.0.0.1 の WebSocket ポート（既定は 0:
空いているポートを選んで表示）。</translation>
    </message>
    <message>
        <source>Answer every request with this HTTP status (for example 500).</source>
        <translation>すべての要求にこの HTTP ステータスで応答する
（例: 500）。</translation>
    </message>
    <message>
        <source>Answer every request this many ms later.</source>
        <translation>すべての要求にこのミリ秒数だけ遅れて応答する。</translation>
    </message>
    <message>
        <source>Answer no request at all: the clients wait until they give up.</source>
        <translation>要求に一切応答しない: クライアントは
諦めるまで待ちます。</translation>
    </message>
    <message>
        <source>Close a connection that sends nothing for this many seconds while no answer is due to it (default 120; 0 never).</source>
        <translation>応答待ちがない間、この秒数何も送らない接続を
閉じる（既定 120、0 は閉じない）。</translation>
    </message>
    <message>
        <source>Language of the texts: en_US, ja_JP or zh_CN.</source>
        <translation>テキストの言語（en_US、ja_JP、zh_CN）。</translation>
    </message>
    <message>
        <source>Log every request, answer and channel message.</source>
        <translation>すべての要求、応答、チャネルのメッセージを
ログに出す。</translation>
    </message>
    <message>
        <source>--fail takes an HTTP status from 100 to 599</source>
        <translation>--fail には 100 から 599 の HTTP ステータスを指定します</translation>
    </message>
    <message>
        <source>cannot listen: %1</source>
        <translation>待ち受けできません: %1</translation>
    </message>
</context>
<context>
    <name>kvhost</name>
    <message>
        <source>the plug-in made no device object for family %1</source>
        <translation>プラグインがファミリー %1 のデバイスオブジェクトを作りませんでした</translation>
    </message>
    <message>
        <source>cannot start the simulator: %1</source>
        <translation>シミュレーターを起動できません: %1</translation>
    </message>
    <message>
        <source>connected: %1 (simulator)</source>
        <translation>接続しました: %1（シミュレーター）</translation>
    </message>
    <message>
        <source>connected: %1</source>
        <translation>接続しました: %1</translation>
    </message>
</context>
<context>
    <name>kvpanel</name>
    <message>
        <source>Settings panel for the KV-RV520MAXCam plug-in. Its texts and the labels follow the system language (LC_ALL=ja_JP.UTF-8 for Japanese) or --lang.</source>
        <translation>KV-RV520MAXCam プラグインの設定パネル。テキストとラベルは
システムの言語（日本語は LC_ALL=ja_JP.UTF-8）か --lang に従います。</translation>
    </message>
    <message>
        <source>The plug-in library to load.</source>
        <translation>読み込むプラグインライブラリ。</translation>
    </message>
    <message>
        <source>Start the simulator in this process and connect to it.</source>
        <translation>このプロセス内でシミュレーターを起動して接続する。</translation>
    </message>
    <message>
        <source>Simulator cutting time factor (1 = real time).</source>
        <translation>シミュレーターのカット時間の倍率（1 = 実時間）。</translation>
    </message>
    <message>
        <source>Command dialect: 583 (the model, default) or 261.</source>
        <translation>コマンド方式: 583（本機種、既定）または 261。</translation>
    </message>
    <message>
        <source>Language of the texts and labels: en_US, ja_JP or zh_CN.</source>
        <translation>テキストとラベルの言語（en_US、ja_JP、zh_CN）。</translation>
    </message>
    <message>
        <source>the plug-in made no device object</source>
        <translation>プラグインがデバイスオブジェクトを作りませんでした</translation>
    </message>
</context>
<context>
    <name>kvsim</name>
    <message>
        <source>--%1 takes a whole number from %2 to %3</source>
        <translation>--%1 には %2 から %3 の整数を指定します</translation>
    </message>
    <message>
        <source>Simulates the camera cutting plotter: its parameters, replies, jobs and line faults.</source>
        <translation>カメラ付きカッティングプロッターのシミュレーター:
パラメーター、応答、ジョブ、回線の障害。</translation>
    </message>
    <message>
        <source>TCP port on 127.0.0.1 (default 9100; 0 picks a free one and prints it).</source>
        <translation>127.0.0.1 の TCP ポート（既定 9100、
0 で空いているポートを選んで表示）。</translation>
    </message>
    <message>
        <source>Also serve a pseudo-terminal (its path is printed) as the USB line.</source>
        <translation>USB 回線として疑似端末も提供する（そのパスを表示）。</translation>
    </message>
    <message>
        <source>Firmware dialect: 583 (default) or 261.</source>
        <translation>ファームウェアの方式: 583（既定）または 261。</translation>
    </message>
    <message>
        <source>Cutting time factor: 1 is real time, 0 cuts at once (default 1).</source>
        <translation>カット時間の倍率: 1 は実時間、0 は即座にカット
（既定 1）。</translation>
    </message>
    <message>
        <source>Text the QR-code read answers with.</source>
        <translation>QRコードの読み取りに応答するテキスト。</translation>
    </message>
    <message>
        <source>Close a TCP connection that sends nothing for this many seconds, unless the plotter is cutting (default 600; 0 never).</source>
        <translation>この秒数何も送らない TCP 接続を閉じる
（プロッターがカット中のときを除く。
既定 600、0 は閉じない）。</translation>
    </message>
    <message>
        <source>Fault: send every frame in pieces of N bytes.</source>
        <translation>障害: すべてのフレームを N バイトずつに分けて送る。</translation>
    </message>
    <message>
        <source>Pause between pieces in ms (default 2).</source>
        <translation>分割した間の待ち時間（ms、既定 2）。</translation>
    </message>
    <message>
        <source>Fault: N noise bytes in front of every frame.</source>
        <translation>障害: 各フレームの前に N バイトのノイズを付ける。</translation>
    </message>
    <message>
        <source>Fault: leave every Nth reply unsent.</source>
        <translation>障害: N 個目ごとの応答を送らない。</translation>
    </message>
    <message>
        <source>Fault: send nothing after N frames on a connection.</source>
        <translation>障害: 1 つの接続で N フレームの後は何も送らない。</translation>
    </message>
    <message>
        <source>Fault: drop the connections when a job&apos;s first copy is half cut.</source>
        <translation>障害: ジョブの 1 部目が半分カットされたら
接続を切る。</translation>
    </message>
    <message>
        <source>Language of the texts: en_US, ja_JP or zh_CN.</source>
        <translation>テキストの言語（en_US、ja_JP、zh_CN）。</translation>
    </message>
    <message>
        <source>Log every frame received and sent.</source>
        <translation>送受信したすべてのフレームをログに出す。</translation>
    </message>
    <message>
        <source>--family is 583 or 261</source>
        <translation>--family は 583 か 261 です</translation>
    </message>
    <message>
        <source>--time-scale takes a number of 0 or more</source>
        <translation>--time-scale には 0 以上の数を指定します</translation>
    </message>
    <message>
        <source>cannot listen on 127.0.0.1:%1: %2</source>
        <translation>127.0.0.1:%1 で待ち受けできません: %2</translation>
    </message>
    <message>
        <source>no pseudo-terminal: %1</source>
        <translation>疑似端末を開けません: %1</translation>
    </message>
</context>
</TS>
